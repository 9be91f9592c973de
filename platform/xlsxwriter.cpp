#include "xlsxwriter.h"

#include "xlsxworkbook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

const QString MainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString RelNs = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString PackageRelNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString ContentTypesNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
const QString RelTypeBase = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
const QString TypeBase = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");

// Maximum digit width of the default font (Calibri 11) in pixels.
constexpr double DigitWidth = 7;

QString argb(QRgb color)
{
    return QStringLiteral("FF%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The file width of a column `characters` digits wide (default font).
double fileWidth(double characters)
{
    // Excel stores the width with the cell padding of 5 pixels, truncated to 1/256.
    return std::trunc((characters * DigitWidth + 5) / DigitWidth * 256) / 256;
}

// Text with the characters that XML cannot carry (or would change) escaped as "_xHHHH_".
QString escapeText(const QString &text)
{
    static const QRegularExpression escapeLike(QStringLiteral("(_x[0-9A-Fa-f]{4}_)"));
    QString marked = text;
    marked.replace(escapeLike, QStringLiteral("_x005F\\1"));
    QString out;
    out.reserve(marked.size());
    for (const QChar c : std::as_const(marked)) {
        const char16_t u = c.unicode();
        // A carriage return goes escaped too, as XML would turn it into a line feed.
        const bool legal = u == u'\t' || u == u'\n' || (u >= 0x20 && u != 0xFFFE && u != 0xFFFF);
        if (legal)
            out.append(c);
        else
            out.append(QStringLiteral("_x") + QStringLiteral("%1").arg(int(u), 4, 16, QLatin1Char('0')).toUpper() + u'_');
    }
    return out;
}

void relationship(QXmlStreamWriter &xml, const QString &id, const QString &type, const QString &target)
{
    xml.writeEmptyElement(QStringLiteral("Relationship"));
    xml.writeAttribute(QStringLiteral("Id"), id);
    xml.writeAttribute(QStringLiteral("Type"), RelTypeBase + type);
    xml.writeAttribute(QStringLiteral("Target"), target);
}

// One XML part: the declaration and the root element in `ns`, declaring the
// "r" prefix of relationship ids where asked; finish() closes and returns it.
struct PartWriter {
    QByteArray out;
    QXmlStreamWriter xml{&out};

    PartWriter(const QString &ns, const QString &root, bool withIds = false)
    {
        xml.writeStartDocument(QStringLiteral("1.0"), true);
        xml.writeDefaultNamespace(ns);
        if (withIds)
            xml.writeNamespace(RelNs, QStringLiteral("r"));
        xml.writeStartElement(ns, root);
    }

    QByteArray finish()
    {
        xml.writeEndDocument();
        return out;
    }
};

// Text for values that are neither numbers, booleans nor text.
QString otherText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
    case QMetaType::QStringList:
    case QMetaType::QJsonValue:
    case QMetaType::QJsonObject:
    case QMetaType::QJsonArray: {
        const QJsonValue json = QJsonValue::fromVariant(value);
        if (json.isArray())
            return QString::fromUtf8(QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact));
        if (json.isObject())
            return QString::fromUtf8(QJsonDocument(json.toObject()).toJson(QJsonDocument::Compact));
        return json.toVariant().toString();
    }
    default:
        return value.toString();
    }
}

} // namespace

XlsxWriter::XlsxWriter(const XlsxWorkbook &book)
    : book(book)
{
    fonts.append(XlsxCellFormat());
    fontIndex.insert(XlsxCellFormat().fontKey(), 0);
    formats.append(XlsxCellFormat());
    formatIndex.insert(XlsxCellFormat().key(), 0);
}

XlsxPackage XlsxWriter::write(const XlsxWorkbook &book)
{
    using Part = XlsxPackage::Part;
    XlsxWriter writer(book);
    QList<Part> sheetParts;
    for (int i = 0; i < book.sheets.size(); ++i) {
        sheetParts.append(Part(QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1),
                               writer.sheetPart(*book.sheets.at(i), i == book.activeSheet)));
    }
    XlsxPackage package;
    package.parts.append(Part(QStringLiteral("[Content_Types].xml"), writer.contentTypes()));
    package.parts.append(Part(QStringLiteral("_rels/.rels"), writer.packageRelationships()));
    package.parts.append(Part(QStringLiteral("xl/workbook.xml"), writer.workbookPart()));
    package.parts.append(Part(QStringLiteral("xl/_rels/workbook.xml.rels"), writer.workbookRelationships()));
    package.parts.append(Part(QStringLiteral("xl/styles.xml"), writer.stylesPart()));
    package.parts.append(Part(QStringLiteral("xl/sharedStrings.xml"), writer.sharedStringsPart()));
    package.parts.append(sheetParts);
    return package;
}

QByteArray XlsxWriter::contentTypes() const
{
    PartWriter part(ContentTypesNs, QStringLiteral("Types"));
    QXmlStreamWriter &xml = part.xml;
    xml.writeEmptyElement(QStringLiteral("Default"));
    xml.writeAttribute(QStringLiteral("Extension"), QStringLiteral("rels"));
    xml.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    xml.writeEmptyElement(QStringLiteral("Default"));
    xml.writeAttribute(QStringLiteral("Extension"), QStringLiteral("xml"));
    xml.writeAttribute(QStringLiteral("ContentType"), QStringLiteral("application/xml"));
    const auto override = [&xml](const QString &part, const QString &type) {
        xml.writeEmptyElement(QStringLiteral("Override"));
        xml.writeAttribute(QStringLiteral("PartName"), part);
        xml.writeAttribute(QStringLiteral("ContentType"), TypeBase + type);
    };
    override(QStringLiteral("/xl/workbook.xml"), QStringLiteral("sheet.main+xml"));
    override(QStringLiteral("/xl/styles.xml"), QStringLiteral("styles+xml"));
    override(QStringLiteral("/xl/sharedStrings.xml"), QStringLiteral("sharedStrings+xml"));
    const int count = int(book.sheets.size());
    for (int i = 1; i <= count; ++i)
        override(QStringLiteral("/xl/worksheets/sheet%1.xml").arg(i), QStringLiteral("worksheet+xml"));
    return part.finish();
}

QByteArray XlsxWriter::packageRelationships() const
{
    PartWriter part(PackageRelNs, QStringLiteral("Relationships"));
    QXmlStreamWriter &xml = part.xml;
    relationship(xml, QStringLiteral("rId1"), QStringLiteral("officeDocument"), QStringLiteral("xl/workbook.xml"));
    return part.finish();
}

QByteArray XlsxWriter::workbookPart() const
{
    PartWriter part(MainNs, QStringLiteral("workbook"), true);
    QXmlStreamWriter &xml = part.xml;
    xml.writeStartElement(QStringLiteral("bookViews"));
    xml.writeEmptyElement(QStringLiteral("workbookView"));
    xml.writeAttribute(QStringLiteral("activeTab"), QString::number(std::max(0, book.activeSheet)));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("sheets"));
    const int count = int(book.sheets.size());
    for (int i = 1; i <= count; ++i) {
        xml.writeEmptyElement(QStringLiteral("sheet"));
        xml.writeAttribute(QStringLiteral("name"), book.sheets.at(i - 1)->name);
        xml.writeAttribute(QStringLiteral("sheetId"), QString::number(i));
        xml.writeAttribute(RelNs, QStringLiteral("id"), QStringLiteral("rId%1").arg(i));
    }
    xml.writeEndElement();
    return part.finish();
}

QByteArray XlsxWriter::workbookRelationships() const
{
    PartWriter part(PackageRelNs, QStringLiteral("Relationships"));
    QXmlStreamWriter &xml = part.xml;
    const int count = int(book.sheets.size());
    for (int i = 1; i <= count; ++i)
        relationship(xml, QStringLiteral("rId%1").arg(i), QStringLiteral("worksheet"), QStringLiteral("worksheets/sheet%1.xml").arg(i));
    relationship(xml, QStringLiteral("rId%1").arg(count + 1), QStringLiteral("styles"), QStringLiteral("styles.xml"));
    relationship(xml, QStringLiteral("rId%1").arg(count + 2), QStringLiteral("sharedStrings"), QStringLiteral("sharedStrings.xml"));
    return part.finish();
}

QByteArray XlsxWriter::sheetPart(const XlsxSheet &sheet, bool selected)
{
    PartWriter part(MainNs, QStringLiteral("worksheet"), true);
    QXmlStreamWriter &xml = part.xml;

    if (!sheet.cells.empty()) {
        int lastRow = 0, firstColumn = XlsxSheet::MaxColumns, lastColumn = 0;
        for (const auto &entry : sheet.cells) {
            lastRow = std::max(lastRow, entry.first.first);
            firstColumn = std::min(firstColumn, entry.first.second);
            lastColumn = std::max(lastColumn, entry.first.second);
        }
        const int firstRow = sheet.cells.begin()->first.first;
        xml.writeEmptyElement(QStringLiteral("dimension"));
        xml.writeAttribute(QStringLiteral("ref"), XlsxSheet::cellReference(firstRow, firstColumn) + u':'
                                                      + XlsxSheet::cellReference(lastRow, lastColumn));
    }

    xml.writeStartElement(QStringLiteral("sheetViews"));
    xml.writeEmptyElement(QStringLiteral("sheetView"));
    if (selected)
        xml.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
    xml.writeEndElement();

    xml.writeEmptyElement(QStringLiteral("sheetFormatPr"));
    xml.writeAttribute(QStringLiteral("defaultRowHeight"), number(XlsxSheet::DefaultRowHeight));

    if (!sheet.columnWidths.isEmpty()) {
        xml.writeStartElement(QStringLiteral("cols"));
        auto it = sheet.columnWidths.constBegin();
        while (it != sheet.columnWidths.constEnd()) {
            const int first = it.key();
            const double width = it.value();
            int last = first;
            ++it;
            while (it != sheet.columnWidths.constEnd() && it.key() == last + 1 && it.value() == width) {
                last = it.key();
                ++it;
            }
            xml.writeEmptyElement(QStringLiteral("col"));
            xml.writeAttribute(QStringLiteral("min"), QString::number(first));
            xml.writeAttribute(QStringLiteral("max"), QString::number(last));
            xml.writeAttribute(QStringLiteral("width"), number(fileWidth(width)));
            xml.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
        }
        xml.writeEndElement();
    }

    xml.writeStartElement(QStringLiteral("sheetData"));
    auto cell = sheet.cells.begin();
    auto height = sheet.rowHeights.constBegin();
    while (cell != sheet.cells.end() || height != sheet.rowHeights.constEnd()) {
        int row = XlsxSheet::MaxRows + 1;
        if (cell != sheet.cells.end())
            row = cell->first.first;
        if (height != sheet.rowHeights.constEnd())
            row = std::min(row, height.key());
        xml.writeStartElement(QStringLiteral("row"));
        xml.writeAttribute(QStringLiteral("r"), QString::number(row));
        if (height != sheet.rowHeights.constEnd() && height.key() == row) {
            xml.writeAttribute(QStringLiteral("ht"), number(height.value()));
            xml.writeAttribute(QStringLiteral("customHeight"), QStringLiteral("1"));
            ++height;
        }
        for (; cell != sheet.cells.end() && cell->first.first == row; ++cell)
            writeCell(xml, row, cell->first.second, cell->second.value, styleIndex(cell->second.format));
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeEmptyElement(QStringLiteral("pageMargins"));
    xml.writeAttribute(QStringLiteral("left"), QStringLiteral("0.7"));
    xml.writeAttribute(QStringLiteral("right"), QStringLiteral("0.7"));
    xml.writeAttribute(QStringLiteral("top"), QStringLiteral("0.75"));
    xml.writeAttribute(QStringLiteral("bottom"), QStringLiteral("0.75"));
    xml.writeAttribute(QStringLiteral("header"), QStringLiteral("0.3"));
    xml.writeAttribute(QStringLiteral("footer"), QStringLiteral("0.3"));
    return part.finish();
}

void XlsxWriter::writeCell(QXmlStreamWriter &xml, int row, int column, const QVariant &value, int style)
{
    xml.writeStartElement(QStringLiteral("c"));
    xml.writeAttribute(QStringLiteral("r"), XlsxSheet::cellReference(row, column));
    if (style != 0)
        xml.writeAttribute(QStringLiteral("s"), QString::number(style));
    QString type;
    QString text;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        break;
    case QMetaType::Bool:
        type = QStringLiteral("b");
        text = value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        text = QString::number(value.toLongLong());
        break;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        text = QString::number(value.toULongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d)) {
            text = number(d);
        } else {
            type = QStringLiteral("e");
            text = QStringLiteral("#NUM!");
        }
        break;
    }
    default: {
        const QString s = value.typeId() == QMetaType::QString ? value.toString() : otherText(value);
        type = QStringLiteral("s");
        text = QString::number(sharedString(s));
        break;
    }
    }
    if (!type.isEmpty())
        xml.writeAttribute(QStringLiteral("t"), type);
    if (!text.isEmpty())
        xml.writeTextElement(QStringLiteral("v"), text);
    xml.writeEndElement();
}

int XlsxWriter::sharedString(const QString &text)
{
    ++stringReferences;
    auto it = stringIndex.constFind(text);
    if (it == stringIndex.constEnd()) {
        it = stringIndex.insert(text, int(strings.size()));
        strings.append(text);
    }
    return stringOffset + it.value();
}

int XlsxWriter::styleIndex(const XlsxCellFormat &format)
{
    const QString key = format.key();
    auto known = formatIndex.constFind(key);
    if (known == formatIndex.constEnd()) {
        if (!fontIndex.contains(format.fontKey())) {
            fontIndex.insert(format.fontKey(), int(fonts.size()));
            fonts.append(format);
        }
        if (format.fillColor && !fillIndex.contains(format.fillKey())) {
            fillIndex.insert(format.fillKey(), int(fills.size()));
            fills.append(format);
        }
        known = formatIndex.insert(key, int(formats.size()));
        formats.append(format);
    }
    return known.value() == 0 ? 0 : formatOffset + known.value();
}

QString XlsxWriter::qualified(const char *name) const
{
    return prefix.isEmpty() ? QString::fromLatin1(name) : prefix + u':' + QLatin1String(name);
}

void XlsxWriter::writeFont(QXmlStreamWriter &xml, const XlsxCellFormat &f) const
{
    xml.writeStartElement(qualified("font"));
    if (f.bold)
        xml.writeEmptyElement(qualified("b"));
    xml.writeEmptyElement(qualified("sz"));
    xml.writeAttribute(QStringLiteral("val"), number(f.fontSize > 0 ? f.fontSize : defaultFontSize));
    if (f.fontColor) {
        xml.writeEmptyElement(qualified("color"));
        xml.writeAttribute(QStringLiteral("rgb"), argb(*f.fontColor));
    }
    xml.writeEmptyElement(qualified("name"));
    xml.writeAttribute(QStringLiteral("val"), f.fontName.isEmpty() ? defaultFontName : f.fontName);
    xml.writeEmptyElement(qualified("family"));
    xml.writeAttribute(QStringLiteral("val"), QStringLiteral("2"));
    xml.writeEndElement();
}

void XlsxWriter::writeFill(QXmlStreamWriter &xml, const XlsxCellFormat &f) const
{
    xml.writeStartElement(qualified("fill"));
    xml.writeStartElement(qualified("patternFill"));
    xml.writeAttribute(QStringLiteral("patternType"), QStringLiteral("solid"));
    xml.writeEmptyElement(qualified("fgColor"));
    xml.writeAttribute(QStringLiteral("rgb"), argb(*f.fillColor));
    xml.writeEmptyElement(qualified("bgColor"));
    xml.writeAttribute(QStringLiteral("indexed"), QStringLiteral("64"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void XlsxWriter::writeFormat(QXmlStreamWriter &xml, const XlsxCellFormat &f) const
{
    const int fontAt = fontIndex.value(f.fontKey());
    const int font = fontAt == 0 ? 0 : fontOffset + fontAt;
    const int fill = f.fillColor ? fillOffset + fillIndex.value(f.fillKey()) : 0;
    xml.writeStartElement(qualified("xf"));
    xml.writeAttribute(QStringLiteral("numFmtId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("fontId"), QString::number(font));
    xml.writeAttribute(QStringLiteral("fillId"), QString::number(fill));
    xml.writeAttribute(QStringLiteral("borderId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
    if (font != 0)
        xml.writeAttribute(QStringLiteral("applyFont"), QStringLiteral("1"));
    if (fill != 0)
        xml.writeAttribute(QStringLiteral("applyFill"), QStringLiteral("1"));
    if (f.hasAlignment()) {
        xml.writeAttribute(QStringLiteral("applyAlignment"), QStringLiteral("1"));
        xml.writeEmptyElement(qualified("alignment"));
        if (!f.horizontal.isEmpty())
            xml.writeAttribute(QStringLiteral("horizontal"), f.horizontal);
        if (!f.vertical.isEmpty())
            xml.writeAttribute(QStringLiteral("vertical"), f.vertical);
        if (f.wrapText)
            xml.writeAttribute(QStringLiteral("wrapText"), QStringLiteral("1"));
    }
    xml.writeEndElement();
}

void XlsxWriter::writeString(QXmlStreamWriter &xml, const QString &text) const
{
    xml.writeStartElement(qualified("si"));
    xml.writeStartElement(qualified("t"));
    if (text != text.trimmed())
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
    xml.writeCharacters(escapeText(text));
    xml.writeEndElement();
    xml.writeEndElement();
}

namespace {

// Elements written one after the other, without a document around them.
template<typename List, typename Write>
QString elements(const List &list, qsizetype from, Write write)
{
    QString out;
    QXmlStreamWriter xml(&out);
    for (qsizetype i = from; i < list.size(); ++i)
        write(xml, list.at(i));
    return out;
}

} // namespace

QString XlsxWriter::addedFonts() const
{
    return elements(fonts, 1, [this](QXmlStreamWriter &xml, const XlsxCellFormat &f) { writeFont(xml, f); });
}

QString XlsxWriter::addedFills() const
{
    return elements(fills, 0, [this](QXmlStreamWriter &xml, const XlsxCellFormat &f) { writeFill(xml, f); });
}

QString XlsxWriter::addedFormats() const
{
    return elements(formats, 1, [this](QXmlStreamWriter &xml, const XlsxCellFormat &f) { writeFormat(xml, f); });
}

QString XlsxWriter::addedStrings() const
{
    return elements(strings, 0, [this](QXmlStreamWriter &xml, const QString &text) { writeString(xml, text); });
}

QByteArray XlsxWriter::stylesPart() const
{
    PartWriter part(MainNs, QStringLiteral("styleSheet"));
    QXmlStreamWriter &xml = part.xml;

    xml.writeStartElement(QStringLiteral("fonts"));
    xml.writeAttribute(QStringLiteral("count"), QString::number(fonts.size()));
    for (const XlsxCellFormat &f : fonts)
        writeFont(xml, f);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("fills"));
    xml.writeAttribute(QStringLiteral("count"), QString::number(fills.size() + 2));
    for (const char *pattern : {"none", "gray125"}) {
        xml.writeStartElement(QStringLiteral("fill"));
        xml.writeEmptyElement(QStringLiteral("patternFill"));
        xml.writeAttribute(QStringLiteral("patternType"), QString::fromLatin1(pattern));
        xml.writeEndElement();
    }
    for (const XlsxCellFormat &f : fills)
        writeFill(xml, f);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("borders"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    xml.writeStartElement(QStringLiteral("border"));
    for (const char *side : {"left", "right", "top", "bottom", "diagonal"})
        xml.writeEmptyElement(QString::fromLatin1(side));
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cellStyleXfs"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    xml.writeEmptyElement(QStringLiteral("xf"));
    xml.writeAttribute(QStringLiteral("numFmtId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("fontId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("fillId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("borderId"), QStringLiteral("0"));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cellXfs"));
    xml.writeAttribute(QStringLiteral("count"), QString::number(formats.size()));
    for (const XlsxCellFormat &f : formats)
        writeFormat(xml, f);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("cellStyles"));
    xml.writeAttribute(QStringLiteral("count"), QStringLiteral("1"));
    xml.writeEmptyElement(QStringLiteral("cellStyle"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Normal"));
    xml.writeAttribute(QStringLiteral("xfId"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("builtinId"), QStringLiteral("0"));
    xml.writeEndElement();

    return part.finish();
}

QByteArray XlsxWriter::sharedStringsPart() const
{
    PartWriter part(MainNs, QStringLiteral("sst"));
    QXmlStreamWriter &xml = part.xml;
    xml.writeAttribute(QStringLiteral("count"), QString::number(stringReferences));
    xml.writeAttribute(QStringLiteral("uniqueCount"), QString::number(strings.size()));
    for (const QString &text : strings)
        writeString(xml, text);
    return part.finish();
}
