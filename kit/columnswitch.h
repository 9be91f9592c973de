#ifndef COLUMNSWITCH_H
#define COLUMNSWITCH_H

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QTableView;
class QTreeView;

// A tool-bar action that shows and hides a group of columns. Its bool is true
// while the columns are hidden; the action then shows the "off" icon and the
// text beginning "打开", otherwise the "on" icon and the text beginning "关闭".
// The icon path in use is also kept in the action's property "iconPath".
class ColumnSwitch
{
public:
    struct Look {
        QString icon;
        QString text;
    };
    using SetHidden = std::function<void(int column, bool hidden)>;

    ColumnSwitch() = default;
    // `hidden` must outlive the switch (a member or a process-wide bool).
    ColumnSwitch(QAction *action, bool *hidden, const QList<int> &columns, const Look &shown,
                 const Look &hiddenLook, SetHidden setHidden);
    // Hides and shows columns of a table view, or of a tree view.
    static SetHidden columnsOf(QTableView *table);
    static SetHidden columnsOf(QTreeView *tree);

    // Hides or shows the columns as the current state says (again for views
    // that are rebuilt) and gives the action the icon and text of that state.
    void apply();
    // One click: flips the state, then applies it.
    void toggle();

private:
    bool isHidden() const { return hidden && *hidden; }

    QAction *action = nullptr;
    bool *hidden = nullptr;
    QList<int> columns;
    Look shown;
    Look hiddenLook;
    SetHidden setHidden;
};

#endif // COLUMNSWITCH_H
