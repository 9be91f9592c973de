#ifndef WINDOWCHECK_H
#define WINDOWCHECK_H

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QWidget;

// What a table window shows around its rows, checked as a person sees it:
// the column switches of its tool bar and its paging row with the status line.
// The checks fail the running test function at the first difference.
namespace WindowCheck {

// One column switch: its action's object name, its columns, and the icon
// (a resource path) and text while the columns are hidden and while shown.
struct Switch {
    const char *action;
    QList<int> columns;
    QString offIcon;
    QString offText;
    QString onIcon;
    QString onText;
};

// True when the action shows the image of the resource at `path`, compared
// pixel by pixel (an icon keeps no trace of the file it came from).
bool showsIcon(const QAction *action, const QString &path);

// Every switch in turn: its columns start hidden with the off look; a trigger
// shows exactly its columns with the on look; a reload keeps that; a second
// trigger hides them with the off look again, and a reload keeps that too.
// `hidden` tells whether a column of the view is hidden; `reload` lists the
// window's rows again.
void columnSwitches(QWidget *window, const QList<Switch> &switches, int columnCount,
                    const std::function<bool(int)> &hidden, const std::function<void()> &reload);

// The paging row shows page `curPage` of `pages` (more than one): the selector
// holds "第i页/共P页" for every page with the current one chosen, the page
// label and the status line read `label` and `status`, "上一页" is enabled
// from the second page on and "下一页" before the last, and the row is shown.
// The status line is the label in the window's status bar; an empty `status`
// is not checked (a window without a status line).
void pagingRow(QWidget *window, int curPage, int pages, const QString &label, const QString &status);

} // namespace WindowCheck

#endif // WINDOWCHECK_H
