#include "sortingpause.h"

#include <QTableWidget>

SortingPause::SortingPause(QTableWidget *table) : table(table), wasSorting(table->isSortingEnabled())
{
    table->setSortingEnabled(false);
}

SortingPause::~SortingPause()
{
    if (wasSorting)
        table->setSortingEnabled(true);
}
