#ifndef LISTPAGE_H
#define LISTPAGE_H

#include <QByteArray>

#include "conditionparser.h"

class EntitySchema;
class StoreReader;

// The rows of a list request, read inside the caller's read transaction so
// that the rows and their count come from one committed state. The count comes
// from RowCounts; a page is read from whichever is nearest of the list's two
// ends and the remembered positions, so its cost does not grow with its depth.
class ListPage
{
public:
    // Rows are appended to *rows as JSON objects separated by commas.
    // Every matching row in id order; *total is their number.
    static bool all(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, bool descending,
                    QByteArray *rows, qint64 *total);
    // Page curPage (from 1) of pageSize (> 0) rows in id order: no rows past the
    // end. *total is the number of matching rows.
    static bool page(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, bool descending,
                     qint64 pageSize, qint64 curPage, QByteArray *rows, qint64 *total);
    // The number of matching rows.
    static bool count(StoreReader &reader, const EntitySchema &schema, const SqlCondition &condition, qint64 *total);

    // Pages that start at most this many rows from an end are read from that end.
    static constexpr qint64 kNearEnd = 512;
};

#endif // LISTPAGE_H
