#ifndef XLSXWRITER_H
#define XLSXWRITER_H

#include "xlsxcellformat.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QXmlStreamWriter;
class XlsxWorkbook;
class XlsxSheet;

// Turns a workbook into the parts of an Office Open XML package, in the
// order they go into the archive: content types, relationships, workbook,
// style sheet, shared strings and one part per worksheet.
class XlsxWriter
{
public:
    using Part = QPair<QString, QByteArray>;

    static QList<Part> write(const XlsxWorkbook &book);

private:
    explicit XlsxWriter(const XlsxWorkbook &book);

    QByteArray contentTypes() const;
    QByteArray packageRelationships() const;
    QByteArray workbookPart() const;
    QByteArray workbookRelationships() const;
    QByteArray sheetPart(const XlsxSheet &sheet, bool selected);
    QByteArray stylesPart() const;
    QByteArray sharedStringsPart() const;

    int styleIndex(const XlsxCellFormat &format);
    int sharedString(const QString &text);
    void writeCell(QXmlStreamWriter &xml, int row, int column, const QVariant &value, int style);

    const XlsxWorkbook &book;
    QList<XlsxCellFormat> fonts;   // index 0: the default font
    QList<XlsxCellFormat> fills;   // follow the two fills every style sheet has
    QList<XlsxCellFormat> formats; // index 0: the default format
    QHash<QString, int> fontIndex, fillIndex, formatIndex;
    QStringList strings;
    QHash<QString, int> stringIndex;
};

#endif // XLSXWRITER_H
