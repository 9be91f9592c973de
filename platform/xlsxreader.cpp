#include "xlsxreader.h"

#include "xlsxupdate.h"
#include "xlsxworkbook.h"

#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <optional>

namespace {

constexpr double DigitWidth = 7;

bool isTrue(QStringView value)
{
    return value == u"1" || value == u"true";
}

std::optional<QRgb> readColor(const QXmlStreamReader &xml)
{
    const QStringView rgb = xml.attributes().value(QStringLiteral("rgb"));
    if (rgb.size() != 6 && rgb.size() != 8)
        return std::nullopt;
    bool ok = false;
    const uint value = rgb.right(6).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return qRgb(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF));
}

// Column width in digits of the default font, from the width in the file.
double characters(double fileWidth)
{
    const double pixels = std::trunc((256 * fileWidth + std::trunc(128 / DigitWidth)) / 256 * DigitWidth);
    return std::max(0.0, std::trunc((pixels - 5) / DigitWidth * 100 + 0.5) / 100);
}

// Text with the "_xHHHH_" escapes of XML-unsafe characters turned back.
QString unescapeText(const QString &text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    static const QRegularExpression escaped(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    auto it = escaped.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        out.append(QStringView(text).mid(from, match.capturedStart() - from));
        out.append(QChar(char16_t(match.captured(1).toUShort(nullptr, 16))));
        from = match.capturedEnd();
    }
    out.append(QStringView(text).mid(from));
    return out;
}

} // namespace

XlsxReader::XlsxReader(const XlsxPackage &package)
    : package(package)
{
}

QByteArray XlsxReader::part(const QString &name, bool *found) const
{
    const QByteArray *bytes = package.find(name);
    if (found)
        *found = bytes != nullptr;
    return bytes ? *bytes : QByteArray();
}

std::shared_ptr<XlsxWorkbook> XlsxReader::read(const XlsxPackage &package, QString *error)
{
    XlsxReader reader(package);
    const QString workbookName = XlsxUpdate::workbookPart(package);
    bool found = false;
    const QByteArray workbookXml = reader.part(workbookName, &found);
    if (!found) {
        *error = QStringLiteral("no workbook in the package");
        return nullptr;
    }

    QHash<QString, QString> sheetParts; // by relationship id
    for (const XlsxPackage::Relation &r : package.relationships(workbookName)) {
        if (r.target.isEmpty())
            continue;
        if (r.type.endsWith(QStringLiteral("/sharedStrings")))
            reader.readSharedStrings(r.target);
        else if (r.type.endsWith(QStringLiteral("/styles")))
            reader.readStyles(r.target);
        else
            sheetParts.insert(r.id, r.target);
    }

    auto book = std::make_shared<XlsxWorkbook>();
    QXmlStreamReader xml(workbookXml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"workbookView") {
            book->activeSheet = xml.attributes().value(QStringLiteral("activeTab")).toInt();
        } else if (xml.name() == u"sheet") {
            const auto attributes = xml.attributes();
            QString id;
            for (const auto &a : attributes) {
                if (a.name() == u"id")
                    id = a.value().toString();
            }
            const auto sheet = std::make_shared<XlsxSheet>(attributes.value(QStringLiteral("name")).toString());
            const auto target = sheetParts.constFind(id);
            if (target == sheetParts.constEnd() || !reader.readSheet(*target, *sheet)) {
                *error = QStringLiteral("sheet %1 cannot be read").arg(sheet->name);
                return nullptr;
            }
            sheet->sourceId = id;
            book->sheets.append(sheet);
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
        return nullptr;
    }
    if (book->sheets.isEmpty()) {
        *error = QStringLiteral("the workbook has no sheet");
        return nullptr;
    }
    if (book->activeSheet < 0 || book->activeSheet >= book->sheets.size())
        book->activeSheet = 0;
    return book;
}

QString XlsxReader::readRichText(QXmlStreamReader &xml)
{
    // Plain text is one <t>; rich text runs <r> hold one <t> each; phonetic
    // hints <rPh> are not part of the text.
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t") {
            text += unescapeText(xml.readElementText());
        } else if (xml.name() == u"r") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"t")
                    text += unescapeText(xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return text;
}

void XlsxReader::readSharedStrings(const QString &name)
{
    QXmlStreamReader xml(part(name));
    if (!xml.readNextStartElement())
        return;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"si")
            strings.append(readRichText(xml));
        else
            xml.skipCurrentElement();
    }
}

void XlsxReader::readStyles(const QString &name)
{
    QList<XlsxCellFormat> fonts;
    QList<std::optional<QRgb>> fills;
    QXmlStreamReader xml(part(name));
    if (!xml.readNextStartElement())
        return;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"fonts") {
            while (xml.readNextStartElement()) {
                XlsxCellFormat font;
                while (xml.readNextStartElement()) {
                    const QStringView val = xml.attributes().value(QStringLiteral("val"));
                    if (xml.name() == u"b")
                        font.bold = val.isEmpty() || isTrue(val);
                    else if (xml.name() == u"sz")
                        font.fontSize = val.toDouble();
                    else if (xml.name() == u"name")
                        font.fontName = val.toString();
                    else if (xml.name() == u"color")
                        font.fontColor = readColor(xml);
                    xml.skipCurrentElement();
                }
                if (font.fontName == u"Calibri")
                    font.fontName.clear();
                if (font.fontSize == 11)
                    font.fontSize = 0;
                fonts.append(font);
            }
        } else if (xml.name() == u"fills") {
            while (xml.readNextStartElement()) {
                std::optional<QRgb> color;
                while (xml.readNextStartElement()) {
                    const bool solid = xml.name() == u"patternFill"
                                       && xml.attributes().value(QStringLiteral("patternType")) == u"solid";
                    while (xml.readNextStartElement()) {
                        if (solid && xml.name() == u"fgColor")
                            color = readColor(xml);
                        xml.skipCurrentElement();
                    }
                }
                fills.append(color);
            }
        } else if (xml.name() == u"cellXfs") {
            while (xml.readNextStartElement()) {
                XlsxCellFormat format;
                const int font = xml.attributes().value(QStringLiteral("fontId")).toInt();
                const int fill = xml.attributes().value(QStringLiteral("fillId")).toInt();
                if (font >= 0 && font < fonts.size()) {
                    const XlsxCellFormat &f = fonts.at(font);
                    format.fontName = f.fontName;
                    format.fontSize = f.fontSize;
                    format.bold = f.bold;
                    format.fontColor = f.fontColor;
                }
                if (fill >= 0 && fill < fills.size())
                    format.fillColor = fills.at(fill);
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"alignment") {
                        const auto a = xml.attributes();
                        format.horizontal = a.value(QStringLiteral("horizontal")).toString();
                        format.vertical = a.value(QStringLiteral("vertical")).toString();
                        format.wrapText = isTrue(a.value(QStringLiteral("wrapText")));
                        if (format.horizontal == u"general")
                            format.horizontal.clear();
                        if (format.vertical == u"bottom")
                            format.vertical.clear();
                    }
                    xml.skipCurrentElement();
                }
                formats.append(format);
            }
        } else {
            xml.skipCurrentElement();
        }
    }
}

bool XlsxReader::readSheet(const QString &name, XlsxSheet &sheet)
{
    bool found = false;
    QXmlStreamReader xml(part(name, &found));
    if (!found || !xml.readNextStartElement())
        return false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"cols") {
            while (xml.readNextStartElement()) {
                const auto a = xml.attributes();
                const int first = std::max(1, a.value(QStringLiteral("min")).toInt());
                const int last = std::min(XlsxSheet::MaxColumns, a.value(QStringLiteral("max")).toInt());
                if (xml.name() == u"col" && a.hasAttribute(QStringLiteral("width"))) {
                    const double width = characters(a.value(QStringLiteral("width")).toDouble());
                    for (int c = first; c <= last; ++c)
                        sheet.columnWidths.insert(c, width);
                }
                xml.skipCurrentElement();
            }
        } else if (xml.name() == u"sheetData") {
            int row = 0;
            while (xml.readNextStartElement()) {
                if (xml.name() != u"row") {
                    xml.skipCurrentElement();
                    continue;
                }
                const auto a = xml.attributes();
                row = a.hasAttribute(QStringLiteral("r")) ? a.value(QStringLiteral("r")).toInt() : row + 1;
                if (row < 1 || row > XlsxSheet::MaxRows)
                    return false;
                if (isTrue(a.value(QStringLiteral("customHeight"))) && a.hasAttribute(QStringLiteral("ht")))
                    sheet.rowHeights.insert(row, a.value(QStringLiteral("ht")).toDouble());
                readRow(xml, sheet, row);
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return !xml.hasError();
}

void XlsxReader::readRow(QXmlStreamReader &xml, XlsxSheet &sheet, int row)
{
    int column = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"c") {
            xml.skipCurrentElement();
            continue;
        }
        int cellRow = row;
        const QStringView reference = xml.attributes().value(QStringLiteral("r"));
        if (reference.isEmpty() || !XlsxSheet::parseCellReference(reference, &cellRow, &column))
            ++column;
        if (column < 1 || column > XlsxSheet::MaxColumns) {
            xml.skipCurrentElement();
            continue;
        }
        readCell(xml, sheet, row, column);
    }
}

void XlsxReader::readCell(QXmlStreamReader &xml, XlsxSheet &sheet, int row, int column)
{
    const auto a = xml.attributes();
    const QString type = a.value(QStringLiteral("t")).toString();
    const int style = a.value(QStringLiteral("s")).toInt();
    QString text;
    bool hasValue = false;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"v") {
            text = xml.readElementText();
            hasValue = true;
        } else if (xml.name() == u"is") {
            text = readRichText(xml);
            hasValue = true;
        } else {
            xml.skipCurrentElement();
        }
    }
    QVariant value;
    if (hasValue) {
        if (type == u"s") {
            bool ok = false;
            const int index = text.toInt(&ok);
            value = ok && index >= 0 && index < strings.size() ? strings.at(index) : QString();
        } else if (type == u"b") {
            value = isTrue(text);
        } else if (type == u"str") {
            value = unescapeText(text);
        } else if (type == u"inlineStr" || type == u"e" || type == u"d") {
            value = text;
        } else {
            bool ok = false;
            const qlonglong whole = text.toLongLong(&ok);
            if (ok) {
                value = whole;
            } else {
                const double real = text.toDouble(&ok);
                value = ok ? QVariant(real) : QVariant(text);
            }
        }
    }
    const XlsxCellFormat format = style > 0 && style < formats.size() ? formats.at(style) : XlsxCellFormat();
    if (!hasValue && format.isDefault())
        return;
    XlsxSheet::Cell &cell = sheet.cell(row, column);
    cell.value = value;
    cell.format = format;
}
