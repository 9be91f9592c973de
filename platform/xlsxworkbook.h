#ifndef XLSXWORKBOOK_H
#define XLSXWORKBOOK_H

#include "xlsxpackage.h"
#include "xlsxsheet.h"

#include <QList>
#include <QString>

#include <memory>

// A workbook held in memory: its worksheets in tab order, which one is
// active, and the file it belongs to. It is saved as, and read from, an
// Office Open XML workbook (.xlsx), whatever the file name's extension.
class XlsxWorkbook
{
public:
    QList<std::shared_ptr<XlsxSheet>> sheets;
    int activeSheet = 0;  // index into sheets
    QString filePath;     // where it was opened from or last saved; empty when new
    QString name;         // "Book1" for a new workbook, else the file's name
    // The package the workbook was read from; null when new. Saving keeps
    // whatever of it the workbook did not change exactly as it was.
    std::shared_ptr<const XlsxPackage> source;

    // Adds an empty sheet named "SheetN" in front of all others and makes it active.
    std::shared_ptr<XlsxSheet> addSheet();
    // 1-based; null when out of range.
    std::shared_ptr<XlsxSheet> sheet(int number) const;
    std::shared_ptr<XlsxSheet> sheetNamed(const QString &sheetName) const;

    // Writes the workbook to `path` in one piece: the file is replaced only
    // when the whole workbook was written. False with a reason on failure.
    bool save(const QString &path, QString *error) const;
    // Reads a workbook; null with a reason when the file is missing or no workbook.
    static std::shared_ptr<XlsxWorkbook> load(const QString &path, QString *error);
};

#endif // XLSXWORKBOOK_H
