#ifndef ROWMENU_H
#define ROWMENU_H

#include <QList>

class QMenu;
class QPoint;
class QTableWidget;

// The context menu of a table's rows and the way back from a row to its
// record: every row carries its record's id in one column, so rows are found
// by id, never by position (the table may be sorted).
class RowMenu
{
public:
    // Opens `menu` at the mouse cursor when `pos` (viewport coordinates, as
    // customContextMenuRequested gives it) lies on a cell; true when it opened.
    static bool open(QMenu *menu, QTableWidget *table, const QPoint &pos);
    // The id in column `idColumn` of the table's current row; 0 when there is
    // no current row or the cell does not hold a number.
    static int currentId(const QTableWidget *table, int idColumn);

    // The first record whose getId() equals `id`, or null.
    template<class Record>
    static Record *find(const QList<Record *> &records, int id)
    {
        for (Record *record : records) {
            if (record && record->getId() == id)
                return record;
        }
        return nullptr;
    }
};

#endif // ROWMENU_H
