#ifndef WORKBOOKFILE_H
#define WORKBOOKFILE_H

#include <QJsonArray>
#include <QString>

class ModalAnswerer;

// Backups as a person makes them and reads them back: the save dialog
// answered with a path, and the workbook read by openpyxl, an independent reader.
class WorkbookFile
{
public:
    // Queues the answer to the next save dialog: the whole path typed into its
    // name field (an existing file is overwritten without the toolkit's question).
    static void choose(ModalAnswerer &answerer, const QString &path);
    // The cell values of the workbook's first sheet, row by row (arrays; empty
    // cells as null). An unreadable file gives an empty array and a warning.
    static QJsonArray rows(const QString &path);
};

#endif // WORKBOOKFILE_H
