#include "tablerows.h"

#include <QHeaderView>
#include <QTableWidget>

void TableRows::reset(QTableWidget *table, const QStringList &headers, const QList<QPair<int, int>> &widths)
{
    table->clear();
    table->setRowCount(0);
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    for (const auto &width : widths)
        table->setColumnWidth(width.first, width.second);
    table->setAlternatingRowColors(true);
}

QList<QTableWidgetItem *> TableRows::append(QTableWidget *table, const QStringList &cells, const Align &align)
{
    const int row = table->rowCount();
    table->setRowCount(row + 1);
    QList<QTableWidgetItem *> items;
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells.at(column));
        const Qt::Alignment alignment = align ? align(column) : Qt::Alignment();
        if (alignment)
            item->setTextAlignment(alignment);
        table->setItem(row, column, item);
        items.append(item);
    }
    return items;
}
