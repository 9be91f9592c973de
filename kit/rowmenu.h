#ifndef ROWMENU_H
#define ROWMENU_H

#include <QList>

class QAbstractItemView;
class QMenu;
class QPoint;

// The context menu of a view's rows (a table or a tree) and the way back from
// a row to its record: every row carries its record's id in one column, so
// rows are found by id, never by position (the rows may be sorted).
class RowMenu
{
public:
    // Popup returns at once; Wait runs the menu until it closes.
    enum class Show { Popup, Wait };

    // Opens `menu` at the mouse cursor when `pos` (viewport coordinates, as
    // customContextMenuRequested gives it) lies on a cell; true when it opened.
    static bool open(QMenu *menu, QAbstractItemView *view, const QPoint &pos, Show show = Show::Popup);
    // True when `pos` (viewport coordinates) lies on a cell of the view.
    static bool onCell(const QAbstractItemView *view, const QPoint &pos);
    // The id in column `idColumn` of the view's current row; 0 when there is
    // no current row or the cell does not hold a number.
    static int currentId(const QAbstractItemView *view, int idColumn);
    // The id in column `idColumn` of the row at `pos` (viewport coordinates,
    // as customContextMenuRequested gives it); 0 when no row lies there.
    static int idAt(const QAbstractItemView *view, const QPoint &pos, int idColumn);
    // The record of the row at `pos`, found by its id, or null.
    template<class Record>
    static Record *at(const QAbstractItemView *view, const QPoint &pos, int idColumn, const QList<Record *> &records)
    {
        return find(records, idAt(view, pos, idColumn));
    }
    // The record of the view's current row, found by its id, or null.
    template<class Record>
    static Record *current(const QAbstractItemView *view, int idColumn, const QList<Record *> &records)
    {
        return find(records, currentId(view, idColumn));
    }

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
