#ifndef SORTINGPAUSE_H
#define SORTINGPAUSE_H

class QTableWidget;

// Suspends a table's sorting while its rows are filled, so that a sorted table
// never moves a half-filled row (cells of two records in one row); the sorting
// is restored, and the rows sorted once, when the pause ends.
class SortingPause
{
public:
    explicit SortingPause(QTableWidget *table);
    ~SortingPause();
    SortingPause(const SortingPause &) = delete;
    SortingPause &operator=(const SortingPause &) = delete;

private:
    QTableWidget *table;
    bool wasSorting;
};

#endif // SORTINGPAUSE_H
