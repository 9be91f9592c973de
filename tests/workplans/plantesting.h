// What the work-plan tests share: plan records as the server stores them, and
// the work-plan window of one logged-in user, driven as a person drives it.
#ifndef PLANTESTING_H
#define PLANTESTING_H

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "serverprocess.h"
#include "workplanwindow.h"

namespace PlanTesting {

constexpr int TitleColumn = 4;
constexpr int IdColumn = 28;

// A plan with every key the server keeps; `owner` owns it.
inline QJsonObject plan(const QString &mold, const QString &title, const QString &start, const QString &end,
                        const QString &tag = QStringLiteral("工作"), int serial = 0,
                        const QString &owner = QStringLiteral("u"))
{
    return QJsonObject{{"id", 0},           {"mold", mold},
                       {"isShow", "正常"},   {"tag", tag},
                       {"serialNumber", serial}, {"title", title},
                       {"target", ""},      {"gainProfit", ""},
                       {"startDate", start}, {"endDate", end},
                       {"strategy", ""},    {"measurableIndicator", ""},
                       {"actionPlan", ""},  {"needResources", ""},
                       {"difficulty", ""},  {"completionStatus", 0},
                       {"score", 0},        {"auditor", ""},
                       {"registerDate", "2024-03-01 10:00:00"}, {"updateDate", "2024-03-01 10:00:00"},
                       {"isRemind", "关闭"}, {"remindMethod", ""},
                       {"remindMethodBody", ""}, {"remindFrequency", ""},
                       {"remindDate", ""},  {"remindDateNumber", 0},
                       {"image", ""},       {"comment", ""},
                       {"loginName", owner}};
}

inline QJsonObject with(QJsonObject record, const QJsonObject &changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it)
        record.insert(it.key(), it.value());
    return record;
}

inline bool seed(const QJsonObject &record)
{
    return ServerProcess::add(QStringLiteral("workPlan"), record).value("flag").toInt() == 1;
}

// The stored plan of that title (an empty object when there is none).
inline QJsonObject stored(const QString &title)
{
    const QJsonArray rows = ServerProcess::rows(QStringLiteral("workPlan"), " and title = '" + title + "'");
    return rows.isEmpty() ? QJsonObject() : rows.first().toObject();
}

// A dialog's widget by its object name.
template<class T>
T *widget(QWidget *dialog, const char *name)
{
    auto *found = dialog->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no widget %s", name);
    return found;
}

// Picks the item of that text in a dialog's combo box.
inline void choose(QWidget *dialog, const char *combo, const QString &item)
{
    QComboBox *box = widget<QComboBox>(dialog, combo);
    box->setCurrentIndex(box->findText(item));
}

// The work-plan window of one user, as the dashboard hands it over.
struct PlanDesk {
    DomainUser user;
    WorkPlanWindow window;

    PlanDesk(const QString &name, int grade)
    {
        user.setUsername(name);
        user.setGrade(grade);
        window.receiveUser(user, 1);
        window.resize(1200, 800);
        window.show();
    }
    // The dashboard's plain opening (normal plans, then the due question).
    void open() { window.receiveSignal(); }
    // A query from the dashboard.
    void query(const QString &condition, int pageSize = 0)
    {
        DomainUi preset;
        preset.setCurPage(1);
        preset.setPageSize(pageSize);
        preset.setConditionStr(condition);
        window.receiveDomainUi(preset);
    }
    template<class T>
    T *child(const char *name) const
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return child<QAction>(name); }
    QTreeView *tree() const { return child<QTreeView>("treeView"); }
    QAbstractItemModel *model() const { return tree()->model(); }
    QString status() const { return window.statusBar()->findChild<QLabel *>()->text(); }

    // The tree as text: one line per row, "<kind> <title>", indented by two
    // blanks per level, in the order shown.
    QStringList outline(const QModelIndex &parent = QModelIndex(), int depth = 0) const
    {
        QStringList lines;
        for (int r = 0; r < model()->rowCount(parent); ++r) {
            const QModelIndex first = model()->index(r, 0, parent);
            lines << QString(depth * 2, QLatin1Char(' ')) + first.data().toString() + QLatin1Char(' ')
                         + model()->index(r, TitleColumn, parent).data().toString();
            lines << outline(first, depth + 1);
        }
        return lines;
    }
    // The first row, depth first, whose plan has that title.
    QModelIndex find(const QString &title, const QModelIndex &parent = QModelIndex()) const
    {
        for (int r = 0; r < model()->rowCount(parent); ++r) {
            const QModelIndex first = model()->index(r, 0, parent);
            if (model()->index(r, TitleColumn, parent).data().toString() == title)
                return first;
            const QModelIndex below = find(title, first);
            if (below.isValid())
                return below;
        }
        return QModelIndex();
    }
    // Right-clicks the plan's row and chooses the entry of its menu (none when
    // `entry` is empty); returns the entries the menu showed.
    QStringList pick(const QString &title, const QString &entry = QString())
    {
        QTreeView *t = tree();
        const QModelIndex index = find(title);
        if (!index.isValid())
            return {QStringLiteral("no row ") + title};
        t->scrollTo(index);
        const QPoint pos = t->visualRect(index).center();
        QTest::mouseClick(t->viewport(), Qt::RightButton, {}, pos);
        QStringList shown;
        QAction *chosen = nullptr;
        QTimer::singleShot(0, t, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *a : menu->actions()) {
                if (a->isVisible())
                    shown << a->text();
                if (a->text() == entry)
                    chosen = a;
            }
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, t->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(t->viewport(), &event);
        if (chosen)
            chosen->trigger();
        return shown;
    }
};

} // namespace PlanTesting

#endif // PLANTESTING_H
