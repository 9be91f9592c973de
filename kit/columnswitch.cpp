#include "columnswitch.h"

#include <QAction>
#include <QIcon>
#include <QTableView>
#include <QTreeView>

ColumnSwitch::ColumnSwitch(QAction *action, bool *hidden, const QList<int> &columns, const Look &shown,
                           const Look &hiddenLook, SetHidden setHidden)
    : action(action), hidden(hidden), columns(columns), shown(shown), hiddenLook(hiddenLook),
      setHidden(std::move(setHidden))
{
}

ColumnSwitch::SetHidden ColumnSwitch::columnsOf(QTableView *table)
{
    return [table](int column, bool hide) { table->setColumnHidden(column, hide); };
}

ColumnSwitch::SetHidden ColumnSwitch::columnsOf(QTreeView *tree)
{
    return [tree](int column, bool hide) { tree->setColumnHidden(column, hide); };
}

void ColumnSwitch::apply()
{
    if (setHidden) {
        for (int column : std::as_const(columns))
            setHidden(column, isHidden());
    }
    if (action) {
        const Look &look = isHidden() ? hiddenLook : shown;
        action->setIcon(QIcon(look.icon));
        action->setText(look.text);
        action->setProperty("iconPath", look.icon);
    }
}

void ColumnSwitch::toggle()
{
    if (!hidden)
        return;
    *hidden = !*hidden;
    apply();
}
