#include "rowmenu.h"

#include <QCursor>
#include <QMenu>
#include <QPoint>
#include <QTableWidget>

bool RowMenu::open(QMenu *menu, QTableWidget *table, const QPoint &pos)
{
    if (!table->itemAt(pos))
        return false;
    menu->popup(QCursor::pos());
    return true;
}

int RowMenu::currentId(const QTableWidget *table, int idColumn)
{
    const int row = table->currentRow();
    if (row < 0)
        return 0;
    const QTableWidgetItem *item = table->item(row, idColumn);
    return item ? item->text().toInt() : 0;
}
