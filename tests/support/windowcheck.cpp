#include "windowcheck.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QtTest>

#include "formchild.h"

namespace {

QImage rendered(const QIcon &icon)
{
    return icon.pixmap(QSize(32, 32)).toImage();
}

// The hidden columns, as "1,4,5".
QString hiddenColumns(int columnCount, const std::function<bool(int)> &hidden)
{
    QStringList found;
    for (int c = 0; c < columnCount; ++c) {
        if (hidden(c))
            found << QString::number(c);
    }
    return found.join(QLatin1Char(','));
}

QString withColumns(int columnCount, const std::function<bool(int)> &hidden, const QList<int> &columns, bool hide)
{
    QStringList found;
    for (int c = 0; c < columnCount; ++c) {
        if (columns.contains(c) ? hide : hidden(c))
            found << QString::number(c);
    }
    return found.join(QLatin1Char(','));
}

} // namespace

namespace WindowCheck {

bool showsIcon(const QAction *action, const QString &path)
{
    const QPixmap expected(path);
    return !expected.isNull() && rendered(action->icon()) == rendered(QIcon(path));
}

void columnSwitches(QWidget *window, const QList<Switch> &switches, int columnCount,
                    const std::function<bool(int)> &hidden, const std::function<void()> &reload)
{
    for (const Switch &s : switches) {
        QAction *action = formChild<QAction>(window, s.action);
        const QByteArray name(s.action);
        QVERIFY2(QPixmap(s.onIcon).toImage() != QPixmap(s.offIcon).toImage(), name.constData());
        const QString start = hiddenColumns(columnCount, hidden);
        const QString shown = withColumns(columnCount, hidden, s.columns, false);
        QCOMPARE(withColumns(columnCount, hidden, s.columns, true), start);
        const auto looks = [&](const QString &icon, const QString &text, const QString &columns, const char *when) {
            const QByteArray why = name + ' ' + when + ": not the icon " + icon.toUtf8();
            QVERIFY2(showsIcon(action, icon), why.constData());
            QCOMPARE(action->text(), text);
            QCOMPARE(hiddenColumns(columnCount, hidden), columns);
        };
        looks(s.offIcon, s.offText, start, "at the start");
        if (QTest::currentTestFailed())
            return;
        action->trigger();
        looks(s.onIcon, s.onText, shown, "after a trigger");
        if (QTest::currentTestFailed())
            return;
        reload();
        looks(s.onIcon, s.onText, shown, "shown, after a reload");
        if (QTest::currentTestFailed())
            return;
        action->trigger();
        looks(s.offIcon, s.offText, start, "after a second trigger");
        if (QTest::currentTestFailed())
            return;
        reload();
        looks(s.offIcon, s.offText, start, "hidden, after a reload");
        if (QTest::currentTestFailed())
            return;
    }
}

void pagingRow(QWidget *window, int curPage, int pages, const QString &label, const QString &status)
{
    auto *selector = formChild<QComboBox>(window, "comboBox_pageNumber");
    auto *pageLabel = formChild<QLabel>(window, "label_pageMessage");
    auto *previous = formChild<QPushButton>(window, "pushButtonl_previousPage");
    auto *next = formChild<QPushButton>(window, "pushButton_nextPage");

    QStringList items;
    for (int i = 0; i < selector->count(); ++i)
        items << selector->itemText(i);
    QStringList expected;
    for (int i = 1; i <= pages; ++i)
        expected << QStringLiteral("第%1页/共%2页").arg(i).arg(pages);
    QCOMPARE(items, expected);
    QCOMPARE(selector->currentIndex(), curPage - 1);
    QCOMPARE(pageLabel->text(), label);
    if (!status.isEmpty())
        QCOMPARE(formChild<QStatusBar>(window, "statusbar")->findChild<QLabel *>()->text(), status);
    QCOMPARE(previous->isEnabled(), curPage > 1);
    QCOMPARE(next->isEnabled(), curPage < pages);
    for (QWidget *w : {static_cast<QWidget *>(selector), static_cast<QWidget *>(pageLabel),
                       static_cast<QWidget *>(previous), static_cast<QWidget *>(next)})
        QVERIFY2(w->isVisibleTo(window), qPrintable(w->objectName()));
}

} // namespace WindowCheck
