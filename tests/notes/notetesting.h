#ifndef NOTETESTING_H
#define NOTETESTING_H

// What the notes tests share: a notes window of one logged-in user, driven as
// the dashboard and a person drive it, and the notes the server holds.

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPoint>
#include <QStatusBar>
#include <QString>
#include <QStringList>
#include <QTableWidget>

#include "domainui.h"
#include "domainuser.h"
#include "notewindow.h"
#include "serverprocess.h"
#include "showcontentdialog.h"

// A logged-in user.
inline void logIn(DomainUser &user, const QString &name, int grade)
{
    user.setUsername(name);
    user.setGrade(grade);
}

// One notes window for one logged-in user.
struct Notes {
    DomainUser user;
    NoteWindow window;

    Notes(const QString &name, int grade)
    {
        logIn(user, name, grade);
        window.receiveUser(user, 1);
    }
    // A preset query from the dashboard (page size 0: the window's own); shows the window.
    void preset(int pageSize = 0, const QString &condition = QStringLiteral(" and isShow ='展示'"))
    {
        DomainUi query;
        query.setCurPage(1);
        query.setPageSize(pageSize);
        query.setConditionStr(condition);
        window.receiveDomainUi(query);
        window.show();
    }
    QTableWidget *table() const { return window.findChild<QTableWidget *>(QStringLiteral("tableWidget")); }
    int rowOf(const QString &title) const
    {
        for (int r = 0; r < table()->rowCount(); ++r) {
            if (table()->item(r, 3)->text() == title)
                return r;
        }
        return -1;
    }
    QStringList titles() const
    {
        QStringList t;
        for (int r = 0; r < table()->rowCount(); ++r)
            t << table()->item(r, 3)->text();
        return t;
    }
    // A row's widget; the row is scrolled into view first, as a person would.
    QWidget *cell(int row, int column) const
    {
        table()->scrollToItem(table()->item(row, 0));
        return table()->cellWidget(row, column);
    }
    // The middle of a row's first cell, where a person right-clicks it.
    QPoint at(int row) const { return table()->visualItemRect(table()->item(row, 0)).center(); }
    QString status() const { return window.statusBar()->findChild<QLabel *>()->text(); }
    ShowContentDialog *contentViewer() const { return window.findChild<ShowContentDialog *>(); }
};

// The stored note of an owner with the title, or an empty object.
inline QJsonObject storedNote(const QString &owner, const QString &title)
{
    const QJsonArray rows =
        ServerProcess::rows(QStringLiteral("note"), QStringLiteral(" and loginName ='%1'").arg(owner));
    for (const QJsonValue &v : rows) {
        if (v.toObject().value(QStringLiteral("title")).toString() == title)
            return v.toObject();
    }
    return {};
}

// The first top-level widget of the class, or null.
template<class T>
T *topLevel()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<T *>(w))
            return t;
    }
    return nullptr;
}

#endif // NOTETESTING_H
