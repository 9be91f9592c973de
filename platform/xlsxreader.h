#ifndef XLSXREADER_H
#define XLSXREADER_H

#include "xlsxcellformat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QXmlStreamReader;
class XlsxPackage;
class XlsxSheet;
class XlsxWorkbook;

// Builds a workbook from the parts of an Office Open XML package: every
// worksheet with its cell values (texts, numbers, booleans; formulas give
// their last computed value), and the fonts, solid fills, alignment, row
// heights and column widths that XlsxWriter writes. Whatever else a
// workbook holds (charts, merged cells, number formats, theme colours...)
// is not read into it; each sheet remembers where it came from, so that
// saving can carry the rest across (XlsxUpdate).
class XlsxReader
{
public:
    static std::shared_ptr<XlsxWorkbook> read(const XlsxPackage &package, QString *error);

private:
    explicit XlsxReader(const XlsxPackage &package);

    QByteArray part(const QString &name, bool *found = nullptr) const;
    void readSharedStrings(const QString &name);
    void readStyles(const QString &name);
    bool readSheet(const QString &name, XlsxSheet &sheet);
    void readRow(QXmlStreamReader &xml, XlsxSheet &sheet, int row);
    void readCell(QXmlStreamReader &xml, XlsxSheet &sheet, int row, int column);
    static QString readRichText(QXmlStreamReader &xml);

    const XlsxPackage &package;
    QStringList strings;
    QList<XlsxCellFormat> formats; // by style index
};

#endif // XLSXREADER_H
