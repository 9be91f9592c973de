#ifndef XLSXSHEET_H
#define XLSXSHEET_H

#include "xlsxcellformat.h"

#include <QMap>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <map>
#include <utility>

// One worksheet held in memory: its cells (value and format) by row and
// column, both counted from 1, and the heights of rows and the widths of
// columns that were set. Heights are in points; widths in Excel's own unit,
// the number of digits of the default font that fit into the column.
class XlsxSheet
{
public:
    struct Cell {
        QVariant value; // invalid: no value
        XlsxCellFormat format;
    };
    using Position = std::pair<int, int>; // row, column

    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;
    static constexpr double DefaultRowHeight = 15;
    static constexpr double DefaultColumnWidth = 8.43;

    explicit XlsxSheet(const QString &name = QString());

    QString name;
    std::map<Position, Cell> cells; // ordered by row, then column
    // Where a sheet read from a file came from: its relationship id in the
    // workbook part; empty for a sheet added since.
    QString sourceId;
    // Written to since it was read: saved from what is held here, not
    // carried across from its file.
    bool changed = false;
    QMap<int, double> rowHeights;
    QMap<int, double> columnWidths;

    // The cell at (row, column), created empty when it is not there yet.
    Cell &cell(int row, int column);
    // The cell at (row, column), or null.
    const Cell *findCell(int row, int column) const;

    // "A" for 1, "Z" for 26, "AA" for 27 ...; empty outside 1..MaxColumns.
    static QString columnName(int column);
    // 1 for "A" (any case), 28 for "AB"; 0 when the text is no column name.
    static int columnNumber(QStringView letters);
    // Reads "B7" or "$B$7" into row 7, column 2; false when malformed or out of bounds.
    static bool parseCellReference(QStringView reference, int *row, int *column);
    static QString cellReference(int row, int column);
};

#endif // XLSXSHEET_H
