#include "rowmenu.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QMenu>
#include <QPoint>

bool RowMenu::onCell(const QAbstractItemView *view, const QPoint &pos)
{
    return view->indexAt(pos).isValid();
}

bool RowMenu::open(QMenu *menu, QAbstractItemView *view, const QPoint &pos, Show show)
{
    if (!onCell(view, pos))
        return false;
    if (show == Show::Wait)
        menu->exec(QCursor::pos());
    else
        menu->popup(QCursor::pos());
    return true;
}

int RowMenu::idAt(const QAbstractItemView *view, const QPoint &pos, int idColumn)
{
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid())
        return 0;
    return index.siblingAtColumn(idColumn).data().toInt();
}

int RowMenu::currentId(const QAbstractItemView *view, int idColumn)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return 0;
    return current.siblingAtColumn(idColumn).data().toInt();
}
