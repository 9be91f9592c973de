#include "tablerows.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableWidget>

void TableRows::reset(QTableWidget *table, const QStringList &headers, const QList<QPair<int, int>> &widths)
{
    table->clearContents();
    table->setRowCount(0);
    prepare(table, headers, widths);
}

void TableRows::prepare(QTableWidget *table, const QStringList &headers, const QList<QPair<int, int>> &widths)
{
    table->selectionModel()->clear();
    bool same = table->columnCount() >= headers.size();
    for (int column = 0; same && column < headers.size(); ++column) {
        const QTableWidgetItem *header = table->horizontalHeaderItem(column);
        same = header && header->text() == headers.at(column);
    }
    if (!same)
        table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    for (const auto &width : widths)
        table->setColumnWidth(width.first, width.second);
    table->setAlternatingRowColors(true);
}

QTableWidget *TableRows::reservedTable = nullptr;
int TableRows::nextReserved = 0;
int TableRows::endReserved = 0;

TableRows::Reserve::Reserve(QTableWidget *table, int count)
    : table(table), outerTable(reservedTable), outerNext(nextReserved), outerEnd(endReserved)
{
    reservedTable = table;
    nextReserved = table->rowCount();
    endReserved = nextReserved + count;
    table->setRowCount(endReserved);
}

TableRows::Reserve::~Reserve()
{
    if (nextReserved < endReserved)
        table->setRowCount(nextReserved);
    reservedTable = outerTable;
    nextReserved = outerNext;
    endReserved = outerEnd;
}

QList<QTableWidgetItem *> TableRows::write(QTableWidget *table, int row, const QStringList &cells,
                                           const Align &align)
{
    QList<QTableWidgetItem *> items;
    items.reserve(cells.size());
    for (int column = 0; column < cells.size(); ++column) {
        const Qt::Alignment alignment = align ? align(column) : Qt::Alignment();
        QTableWidgetItem *item = table->item(row, column);
        if (item) {
            // Unchanged data costs nothing.
            item->setText(cells.at(column));
            if (alignment)
                item->setTextAlignment(alignment);
        } else {
            item = new QTableWidgetItem(cells.at(column));
            if (alignment)
                item->setTextAlignment(alignment);
            table->setItem(row, column, item);
        }
        items.append(item);
    }
    return items;
}

QList<QTableWidgetItem *> TableRows::append(QTableWidget *table, const QStringList &cells, const Align &align,
                                            int *rowNumber)
{
    int row = table->rowCount();
    if (table == reservedTable && nextReserved < endReserved)
        row = nextReserved++;
    else
        table->setRowCount(row + 1);
    if (rowNumber)
        *rowNumber = row;
    return write(table, row, cells, align); // a new row: every item is made
}
