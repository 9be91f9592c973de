#ifndef XLSXWRITER_H
#define XLSXWRITER_H

#include "xlsxcellformat.h"
#include "xlsxpackage.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QList>
#include <QString>
#include <QVariant>

class QXmlStreamWriter;
class XlsxWorkbook;
class XlsxSheet;

// Turns a workbook into the parts of an Office Open XML package, in the
// order they go into the archive: content types, relationships, workbook,
// style sheet, shared strings and one part per worksheet. XlsxUpdate uses
// it to write new sheets, styles and texts into a package read from a file,
// numbering them after what the file holds already.
class XlsxWriter
{
public:
    static XlsxPackage write(const XlsxWorkbook &book);

private:
    friend class XlsxUpdate;

    explicit XlsxWriter(const XlsxWorkbook &book);

    QByteArray contentTypes() const;
    QByteArray packageRelationships() const;
    QByteArray workbookPart() const;
    QByteArray workbookRelationships() const;
    QByteArray sheetPart(const XlsxSheet &sheet, bool selected);
    QByteArray stylesPart() const;
    QByteArray sharedStringsPart() const;

    // The fonts, fills, cell formats and texts gathered by sheetPart, beyond
    // the defaults, as elements to append to a file's own lists.
    QString addedFonts() const;
    QString addedFills() const;
    QString addedFormats() const;
    QString addedStrings() const;

    void writeFont(QXmlStreamWriter &xml, const XlsxCellFormat &font) const;
    void writeFill(QXmlStreamWriter &xml, const XlsxCellFormat &fill) const;
    void writeFormat(QXmlStreamWriter &xml, const XlsxCellFormat &format) const;
    void writeString(QXmlStreamWriter &xml, const QString &text) const;
    QString qualified(const char *name) const;

    int styleIndex(const XlsxCellFormat &format);
    int sharedString(const QString &text);
    void writeCell(QXmlStreamWriter &xml, int row, int column, const QVariant &value, int style);

    const XlsxWorkbook &book;
    QList<XlsxCellFormat> fonts;   // index 0: the default font
    QList<XlsxCellFormat> fills;   // solid fills, in order of first use
    QList<XlsxCellFormat> formats; // index 0: the default format
    QHash<QString, int> fontIndex, fillIndex, formatIndex;
    QStringList strings;
    QHash<QString, int> stringIndex;
    int stringReferences = 0;

    // Where the lists above start in the file: font and format 0 are the
    // file's own defaults; the others follow what the file holds already.
    int fontOffset = 0;   // file index of font i (i > 0) is fontOffset + i
    int fillOffset = 2;   // file index of fill j is fillOffset + j (after "none" and "gray125")
    int formatOffset = 0; // file index of format k (k > 0) is formatOffset + k
    int stringOffset = 0; // file index of text i is stringOffset + i
    QString defaultFontName = QStringLiteral("Calibri");
    double defaultFontSize = 11;
    QString prefix; // of the element names written into a file's part
};

#endif // XLSXWRITER_H
