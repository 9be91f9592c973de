#ifndef XLSXREADER_H
#define XLSXREADER_H

#include "xlsxcellformat.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QXmlStreamReader;
class XlsxSheet;
class XlsxWorkbook;

// Builds a workbook from the parts of an Office Open XML package: every
// worksheet with its cell values (texts, numbers, booleans; formulas give
// their last computed value), and the fonts, solid fills, alignment, row
// heights and column widths that XlsxWriter writes. Whatever else a
// workbook holds (charts, merged cells, number formats, theme colours...)
// is not kept.
class XlsxReader
{
public:
    static std::shared_ptr<XlsxWorkbook> read(const QHash<QString, QByteArray> &parts, QString *error);

private:
    struct Relation {
        QString type;
        QString target; // part name within the package
    };

    explicit XlsxReader(const QHash<QString, QByteArray> &parts);

    QByteArray part(const QString &name, bool *found = nullptr) const;
    QHash<QString, Relation> relationships(const QString &source) const;
    void readSharedStrings(const QString &name);
    void readStyles(const QString &name);
    bool readSheet(const QString &name, XlsxSheet &sheet);
    void readRow(QXmlStreamReader &xml, XlsxSheet &sheet, int row);
    void readCell(QXmlStreamReader &xml, XlsxSheet &sheet, int row, int column);
    static QString readRichText(QXmlStreamReader &xml);

    const QHash<QString, QByteArray> &parts;
    QStringList strings;
    QList<XlsxCellFormat> formats; // by style index
};

#endif // XLSXREADER_H
