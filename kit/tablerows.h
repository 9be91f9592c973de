#ifndef TABLEROWS_H
#define TABLEROWS_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QStringList>
#include <Qt>

#include <functional>

#include "sortingpause.h"

class QTableWidget;
class QTableWidgetItem;

// Filling a table window's table page by page.
class TableRows
{
public:
    // The alignment of the cells of one column; an empty one leaves the item's own.
    using Align = std::function<Qt::Alignment(int column)>;

    // Empties the table for a new page (items, selection and rows), then
    // prepares it as prepare() does.
    static void reset(QTableWidget *table, const QStringList &headers, const QList<QPair<int, int>> &widths);
    // Readies the table for a new page over the rows it has: no selection,
    // the header labels (set only when they differ, so the header is not
    // laid out again for every page), the last column stretched, the given
    // (column, width) pairs and alternating row colours.
    static void prepare(QTableWidget *table, const QStringList &headers, const QList<QPair<int, int>> &widths);
    // Writes the texts into the cells of an existing row, aligned by `align`,
    // reusing the items there (an item is made where a cell has none);
    // returns the row's items in column order. Other data of a reused item
    // stays: the caller sets what it sets on a new item.
    static QList<QTableWidgetItem *> write(QTableWidget *table, int row, const QStringList &cells, const Align &align);
    // Appends one row of the given texts, aligned by `align`; returns its items
    // in column order and, when asked, the row's number. Rows are to be
    // appended while sorting is paused.
    static QList<QTableWidgetItem *> append(QTableWidget *table, const QStringList &cells, const Align &align,
                                            int *row = nullptr);

    // One row per element of `rows`, in order, made by `appendOne` (which
    // appends the table row and returns its record), with the table's sorting
    // paused meanwhile; the records are appended to `records`.
    template<class Record, class AppendOne>
    static void fill(QTableWidget *table, const QJsonArray &rows, QList<Record *> &records, AppendOne appendOne)
    {
        const SortingPause pause(table);
        const Reserve reserve(table, rows.size());
        for (const QJsonValue &value : rows) {
            QJsonObject object = value.toObject();
            records.append(appendOne(object));
        }
    }

private:
    // The rows of one fill, added to the table at once: a table that grows
    // row by row works out its header and scroll range again for every row.
    // append() takes the reserved rows in order; the ones left over go.
    class Reserve
    {
    public:
        Reserve(QTableWidget *table, int count);
        ~Reserve();
        Reserve(const Reserve &) = delete;
        Reserve &operator=(const Reserve &) = delete;

    private:
        QTableWidget *table;
        QTableWidget *outerTable;
        int outerNext;
        int outerEnd;
    };

    static QTableWidget *reservedTable;
    static int nextReserved;
    static int endReserved;
};

#endif // TABLEROWS_H
