#include "xlsxupdate.h"

#include "xlsxpackage.h"
#include "xlsxworkbook.h"
#include "xlsxwriter.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const QString RelNs = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString WorksheetType = RelNs + QStringLiteral("/worksheet");
const QString StylesType = RelNs + QStringLiteral("/styles");
const QString SharedStringsType = RelNs + QStringLiteral("/sharedStrings");
const QString TypeBase = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.");

// Where one element stands in the text of its part.
struct Element {
    QString name;      // local name
    QString qualified; // as written, prefix included
    QXmlStreamAttributes attributes;
    int parent = -1;
    qsizetype tagFrom = 0; // the start tag
    qsizetype tagTo = 0;
    qsizetype endFrom = 0; // the end tag; both equal tagTo for an empty-element tag
    qsizetype endTo = 0;

    bool empty() const { return endTo == tagTo; }
    QString prefix() const
    {
        const qsizetype colon = qualified.indexOf(u':');
        return colon < 0 ? QString() : qualified.left(colon);
    }
    QString attribute(const QString &attributeName) const
    {
        return attributes.value(attributeName).toString();
    }
};

// The text of one XML part and the changes made to it. Only the changed
// stretches differ when it is turned back into bytes.
class PartText
{
public:
    bool load(const QByteArray &bytes)
    {
        bom = bytes.startsWith("\xEF\xBB\xBF");
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(bom ? bytes.mid(3) : bytes);
        return !utf8.hasError();
    }

    // The root, its children, and the children of every recorded element
    // whose name is in `into`, in document order.
    bool scan(const QSet<QString> &into, QList<Element> *out) const
    {
        QXmlStreamReader xml(text);
        QList<int> open; // recorded index of every open element, -1 when not recorded
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                const int parent = open.isEmpty() ? -1 : open.last();
                const bool record = open.isEmpty()
                                    || (parent >= 0
                                        && (out->at(parent).parent < 0 || into.contains(out->at(parent).name)));
                if (!record) {
                    open.append(-1);
                    continue;
                }
                Element e;
                e.name = xml.name().toString();
                e.qualified = xml.qualifiedName().toString();
                e.attributes = xml.attributes();
                e.parent = parent;
                e.tagTo = xml.characterOffset();
                e.tagFrom = text.lastIndexOf(u'<', e.tagTo - 1);
                open.append(int(out->size()));
                out->append(e);
            } else if (xml.isEndElement()) {
                const int index = open.takeLast();
                if (index < 0)
                    continue;
                Element &e = (*out)[index];
                e.endTo = xml.characterOffset();
                e.endFrom = e.endTo == e.tagTo ? e.tagTo : text.lastIndexOf(u'<', e.endTo - 1);
            }
        }
        return !xml.hasError() && !out->isEmpty();
    }

    // A worksheet's first sheet view, which comes before its cells; false when there is none.
    bool firstSheetView(Element *found) const
    {
        QXmlStreamReader xml(text);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"sheetData")
                return false;
            if (xml.name() == u"sheetView") {
                found->qualified = xml.qualifiedName().toString();
                found->attributes = xml.attributes();
                found->tagTo = xml.characterOffset();
                found->tagFrom = text.lastIndexOf(u'<', found->tagTo - 1);
                return true;
            }
        }
        return false;
    }

    QString tag(const Element &e) const { return text.mid(e.tagFrom, e.tagTo - e.tagFrom); }
    QString whole(const Element &e) const { return text.mid(e.tagFrom, e.endTo - e.tagFrom); }

    void replace(qsizetype from, qsizetype to, const QString &with) { splices.append({from, to, with}); }

    // Puts `content` at the end of an element whose start tag becomes `startTag`.
    void appendInside(const Element &e, const QString &startTag, const QString &content)
    {
        if (!e.empty()) {
            replace(e.tagFrom, e.tagTo, startTag);
            replace(e.endFrom, e.endFrom, content);
        } else if (content.isEmpty()) {
            replace(e.tagFrom, e.tagTo, startTag);
        } else {
            // "<x .../>" opens up into "<x ...>content</x>".
            replace(e.tagFrom, e.tagTo, startTag.chopped(2) + u'>' + content + QStringLiteral("</") + e.qualified + u'>');
        }
    }

    QByteArray bytes() const
    {
        QList<Splice> ordered = splices;
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Splice &a, const Splice &b) { return a.from > b.from; });
        QString out = text;
        for (const Splice &s : ordered)
            out.replace(s.from, s.to - s.from, s.with);
        return (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + out.toUtf8();
    }

    bool changed() const { return !splices.isEmpty(); }

private:
    struct Splice {
        qsizetype from;
        qsizetype to;
        QString with;
    };
    QString text;
    bool bom = false;
    QList<Splice> splices;
};

QString quotedValue(const QString &value)
{
    return u'"' + value.toHtmlEscaped() + u'"';
}

// A start tag with an attribute set to `value`, added when it is not there.
QString withAttribute(QString tag, const QString &name, const QString &value)
{
    const QRegularExpression attribute(
        QStringLiteral("(\\s%1\\s*=\\s*)(\"[^\"]*\"|'[^']*')").arg(QRegularExpression::escape(name)));
    const QRegularExpressionMatch m = attribute.match(tag);
    if (m.hasMatch())
        return tag.replace(m.capturedStart(2), m.capturedLength(2), quotedValue(value));
    const qsizetype close = tag.endsWith(QLatin1String("/>")) ? tag.size() - 2 : tag.size() - 1;
    return tag.insert(close, u' ' + name + u'=' + quotedValue(value));
}

QString withoutAttribute(QString tag, const QString &name)
{
    const QRegularExpression attribute(
        QStringLiteral("\\s+%1\\s*=\\s*(\"[^\"]*\"|'[^']*')").arg(QRegularExpression::escape(name)));
    return tag.remove(attribute);
}

// The children of element `parent` named `name`.
QList<int> children(const QList<Element> &elements, int parent, const QString &name)
{
    QList<int> found;
    for (int i = 0; i < elements.size(); ++i) {
        if (elements.at(i).parent == parent && elements.at(i).name == name)
            found.append(i);
    }
    return found;
}

int child(const QList<Element> &elements, int parent, const QString &name)
{
    const QList<int> found = children(elements, parent, name);
    return found.isEmpty() ? -1 : found.first();
}

// The name under which the package holds a part (names compare without regard to case).
QString partName(const XlsxPackage &package, const QString &name)
{
    for (const XlsxPackage::Part &part : package.parts) {
        if (part.first.compare(name, Qt::CaseInsensitive) == 0)
            return part.first;
    }
    return name;
}

// The parts being written: edited texts of the source's parts, new parts, dropped parts.
struct Output {
    const XlsxPackage &source;
    QHash<QString, PartText> edited;  // by the source's part name
    QHash<QString, QByteArray> replaced;
    QList<XlsxPackage::Part> added;
    QSet<QString> dropped;
    QSet<QString> namesInUse; // lower case
    QString error;

    explicit Output(const XlsxPackage &package) : source(package)
    {
        for (const XlsxPackage::Part &part : package.parts)
            namesInUse.insert(part.first.toLower());
    }

    // The text of a part of the source, read once; null (with the reason kept) when it is no UTF-8 XML.
    PartText *text(const QString &name)
    {
        const QString actual = partName(source, name);
        auto it = edited.find(actual);
        if (it != edited.end())
            return &it.value();
        const QByteArray *bytes = source.find(actual);
        PartText part;
        if (!bytes || !part.load(*bytes)) {
            error = QStringLiteral("cannot read %1").arg(name);
            return nullptr;
        }
        return &edited.insert(actual, part).value();
    }

    QString newPartName(const QString &pattern)
    {
        for (int n = 1;; ++n) {
            const QString name = pattern.arg(n);
            if (!namesInUse.contains(name.toLower())) {
                namesInUse.insert(name.toLower());
                return name;
            }
        }
    }

    XlsxPackage result() const
    {
        XlsxPackage out;
        for (const XlsxPackage::Part &part : source.parts) {
            if (dropped.contains(part.first))
                continue;
            if (replaced.contains(part.first))
                out.parts.append(XlsxPackage::Part(part.first, replaced.value(part.first)));
            else if (edited.contains(part.first) && edited.value(part.first).changed())
                out.parts.append(XlsxPackage::Part(part.first, edited.value(part.first).bytes()));
            else
                out.parts.append(part);
        }
        out.parts.append(added);
        return out;
    }
};

QString directoryOf(const QString &name)
{
    const qsizetype slash = name.lastIndexOf(u'/');
    return slash < 0 ? QString() : name.left(slash + 1);
}

} // namespace

QString XlsxUpdate::workbookPart(const XlsxPackage &package)
{
    for (const XlsxPackage::Relation &r : package.relationships(QString())) {
        if (r.type.endsWith(QStringLiteral("/officeDocument")) && !r.target.isEmpty())
            return r.target;
    }
    return QStringLiteral("xl/workbook.xml");
}

bool XlsxUpdate::write(const XlsxWorkbook &book, XlsxPackage *out, QString *error)
{
    const XlsxPackage &source = *book.source;
    Output output(source);
    const auto fail = [&output, error](const QString &reason) {
        *error = reason.isEmpty() ? output.error : reason;
        return false;
    };

    const QString workbookName = workbookPart(source);
    const QString relsName = XlsxPackage::relationshipsPart(workbookName);
    const QList<XlsxPackage::Relation> relations = source.relationships(workbookName);
    QHash<QString, QString> targets; // by relationship id
    QSet<QString> ids;
    QString stylesName, stringsName, calcChainName;
    for (const XlsxPackage::Relation &r : relations) {
        ids.insert(r.id);
        targets.insert(r.id, r.target);
        if (r.type == StylesType)
            stylesName = r.target;
        else if (r.type == SharedStringsType)
            stringsName = r.target;
        else if (r.type.endsWith(QStringLiteral("/calcChain")))
            calcChainName = r.target;
    }

    // The workbook part: its sheets, views and names.
    PartText *workbook = output.text(workbookName);
    QList<Element> wb;
    if (!workbook || !workbook->scan({QStringLiteral("sheets"), QStringLiteral("bookViews"),
                                      QStringLiteral("definedNames")},
                                     &wb))
        return fail(workbook ? QStringLiteral("unreadable workbook part") : QString());
    const int sheetsElement = child(wb, 0, QStringLiteral("sheets"));
    if (sheetsElement < 0)
        return fail(QStringLiteral("the workbook part lists no sheets"));
    QHash<QString, int> sheetElementById;
    QStringList originalOrder; // relationship ids in the file's tab order
    int lastSheetId = 0;
    for (int index : children(wb, sheetsElement, QStringLiteral("sheet"))) {
        const Element &e = wb.at(index);
        QString id;
        for (const QXmlStreamAttribute &a : e.attributes) {
            if (a.namespaceUri() == RelNs && a.name() == u"id")
                id = a.value().toString();
        }
        sheetElementById.insert(id, index);
        originalOrder.append(id);
        lastSheetId = std::max(lastSheetId, e.attribute(QStringLiteral("sheetId")).toInt());
    }

    XlsxWriter writer(book);

    // The style sheet: what is appended follows the file's own fonts, fills and formats.
    PartText *styles = nullptr;
    QList<Element> st;
    int fontsElement = -1, fillsElement = -1, formatsElement = -1;
    if (!stylesName.isEmpty() && source.find(stylesName)) {
        styles = output.text(stylesName);
        if (!styles || !styles->scan({QStringLiteral("fonts"), QStringLiteral("fills"), QStringLiteral("cellXfs"),
                                      QStringLiteral("cellStyleXfs"), QStringLiteral("font")},
                                     &st))
            return fail(styles ? QStringLiteral("unreadable style sheet") : QString());
        fontsElement = child(st, 0, QStringLiteral("fonts"));
        fillsElement = child(st, 0, QStringLiteral("fills"));
        formatsElement = child(st, 0, QStringLiteral("cellXfs"));
        if (fontsElement < 0 || fillsElement < 0 || formatsElement < 0)
            return fail(QStringLiteral("the style sheet lacks fonts, fills or cell formats"));
        const QList<int> fonts = children(st, fontsElement, QStringLiteral("font"));
        const int fills = int(children(st, fillsElement, QStringLiteral("fill")).size());
        const int formats = int(children(st, formatsElement, QStringLiteral("xf")).size());
        if (fonts.isEmpty() || formats == 0)
            return fail(QStringLiteral("the style sheet has no default font or format"));
        writer.fontOffset = int(fonts.size()) - 1;
        writer.fillOffset = fills;
        writer.formatOffset = formats - 1;
        // Cells written without a font of their own take the workbook's
        // default font: that of its Normal style, the first style format.
        const int normal = child(st, child(st, 0, QStringLiteral("cellStyleXfs")), QStringLiteral("xf"));
        const int normalFont = normal < 0 ? 0 : st.at(normal).attribute(QStringLiteral("fontId")).toInt();
        const int defaultFont = fonts.value(normalFont, fonts.first());
        const int fontName = child(st, defaultFont, QStringLiteral("name"));
        const int fontSize = child(st, defaultFont, QStringLiteral("sz"));
        if (fontName >= 0)
            writer.defaultFontName = st.at(fontName).attribute(QStringLiteral("val"));
        if (fontSize >= 0)
            writer.defaultFontSize = st.at(fontSize).attribute(QStringLiteral("val")).toDouble();
    }

    // The text table: new texts follow the file's own.
    PartText *strings = nullptr;
    QList<Element> sst;
    if (!stringsName.isEmpty() && source.find(stringsName)) {
        strings = output.text(stringsName);
        if (!strings || !strings->scan({}, &sst))
            return fail(strings ? QStringLiteral("unreadable text table") : QString());
        writer.stringOffset = int(children(sst, 0, QStringLiteral("si")).size());
    }

    // The sheets: carried across, written anew in place, or added.
    const QString sheetPattern = directoryOf(workbookName) + QStringLiteral("worksheets/sheet%1.xml");
    QString sheetElements;
    QString newRelations;
    QString newOverrides;
    bool rewritten = false;
    const auto newId = [&ids] {
        for (int n = 1;; ++n) {
            const QString id = QStringLiteral("rId%1").arg(n);
            if (!ids.contains(id)) {
                ids.insert(id);
                return id;
            }
        }
    };
    const auto relation = [](const QString &id, const QString &type, const QString &target) {
        return QStringLiteral("<Relationship Id=%1 Type=%2 Target=%3/>")
            .arg(quotedValue(id), quotedValue(type), quotedValue(u'/' + target));
    };
    const auto override = [](const QString &part, const QString &type) {
        return QStringLiteral("<Override PartName=%1 ContentType=%2/>")
            .arg(quotedValue(u'/' + part), quotedValue(TypeBase + type));
    };
    const QString sheetPrefix = wb.at(sheetsElement).prefix();
    for (int i = 0; i < book.sheets.size(); ++i) {
        const XlsxSheet &sheet = *book.sheets.at(i);
        const bool active = i == book.activeSheet;
        const auto known = sheetElementById.constFind(sheet.sourceId);
        if (sheet.sourceId.isEmpty() || known == sheetElementById.constEnd()) {
            const QString name = output.newPartName(sheetPattern);
            const QString id = newId();
            output.added.append(XlsxPackage::Part(name, writer.sheetPart(sheet, active)));
            newRelations += relation(id, WorksheetType, name);
            newOverrides += override(name, QStringLiteral("worksheet+xml"));
            sheetElements += QStringLiteral("<%1 xmlns:r=%2 name=%3 sheetId=\"%4\" r:id=%5/>")
                                 .arg(sheetPrefix.isEmpty() ? QStringLiteral("sheet") : sheetPrefix + QStringLiteral(":sheet"),
                                      quotedValue(RelNs), quotedValue(sheet.name))
                                 .arg(++lastSheetId)
                                 .arg(quotedValue(id));
            continue;
        }
        const Element &e = wb.at(*known);
        QString element = workbook->whole(e);
        if (e.attribute(QStringLiteral("name")) != sheet.name) {
            const QString tag = workbook->tag(e);
            element.replace(0, tag.size(), withAttribute(tag, QStringLiteral("name"), sheet.name));
        }
        sheetElements += element;
        const QString part = partName(source, targets.value(sheet.sourceId));
        if (sheet.changed) {
            output.replaced.insert(part, writer.sheetPart(sheet, active));
            rewritten = true;
            continue;
        }
        if (!active) {
            // Only the active sheet's tab is selected; another selected tab would group the sheets.
            PartText *text = output.text(part);
            if (!text)
                return fail(QString());
            Element view;
            if (text->firstSheetView(&view)) {
                const QString tag = text->tag(view);
                const QString plain = withoutAttribute(tag, QStringLiteral("tabSelected"));
                if (plain != tag)
                    text->replace(view.tagFrom, view.tagTo, plain);
            }
        }
    }
    workbook->replace(wb.at(sheetsElement).tagTo, wb.at(sheetsElement).endFrom, sheetElements);

    // Sheet positions named in the workbook part follow their sheets to their new places.
    const auto newIndex = [&](const QString &oldIndex) {
        const QString id = originalOrder.value(oldIndex.toInt());
        for (int i = 0; i < book.sheets.size(); ++i) {
            if (!id.isEmpty() && book.sheets.at(i)->sourceId == id)
                return QString::number(i);
        }
        return oldIndex;
    };
    const int views = child(wb, 0, QStringLiteral("bookViews"));
    for (int index : children(wb, views, QStringLiteral("workbookView"))) {
        const Element &e = wb.at(index);
        QString tag = withAttribute(workbook->tag(e), QStringLiteral("activeTab"), QString::number(book.activeSheet));
        if (e.attributes.hasAttribute(QStringLiteral("firstSheet")))
            tag = withAttribute(tag, QStringLiteral("firstSheet"),
                                QString::number(std::min(newIndex(e.attribute(QStringLiteral("firstSheet"))).toInt(),
                                                         book.activeSheet)));
        workbook->replace(e.tagFrom, e.tagTo, tag);
    }
    const int names = child(wb, 0, QStringLiteral("definedNames"));
    for (int index : children(wb, names, QStringLiteral("definedName"))) {
        const Element &e = wb.at(index);
        if (e.attributes.hasAttribute(QStringLiteral("localSheetId")))
            workbook->replace(e.tagFrom, e.tagTo,
                              withAttribute(workbook->tag(e), QStringLiteral("localSheetId"),
                                            newIndex(e.attribute(QStringLiteral("localSheetId")))));
    }

    // Styles and texts of the written sheets.
    if (styles) {
        writer.prefix = st.at(0).prefix();
        const auto append = [&](int element, const QString &added, int count) {
            if (added.isEmpty())
                return;
            const Element &e = st.at(element);
            QString tag = styles->tag(e);
            if (e.attributes.hasAttribute(QStringLiteral("count")))
                tag = withAttribute(tag, QStringLiteral("count"), QString::number(count));
            styles->appendInside(e, tag, added);
        };
        append(fontsElement, writer.addedFonts(), writer.fontOffset + int(writer.fonts.size()));
        append(fillsElement, writer.addedFills(), writer.fillOffset + int(writer.fills.size()));
        append(formatsElement, writer.addedFormats(), writer.formatOffset + int(writer.formats.size()));
    } else if (writer.formats.size() > 1) {
        const QString name = output.newPartName(directoryOf(workbookName) + QStringLiteral("styles%1.xml"));
        writer.prefix.clear();
        output.added.append(XlsxPackage::Part(name, writer.stylesPart()));
        newRelations += relation(newId(), StylesType, name);
        newOverrides += override(name, QStringLiteral("styles+xml"));
    }
    if (strings && !writer.strings.isEmpty()) {
        writer.prefix = sst.at(0).prefix();
        const Element &root = sst.at(0);
        QString tag = strings->tag(root);
        if (root.attributes.hasAttribute(QStringLiteral("count")))
            tag = withAttribute(tag, QStringLiteral("count"),
                                QString::number(root.attribute(QStringLiteral("count")).toLongLong()
                                                + writer.stringReferences));
        if (root.attributes.hasAttribute(QStringLiteral("uniqueCount")))
            tag = withAttribute(tag, QStringLiteral("uniqueCount"),
                                QString::number(writer.stringOffset + writer.strings.size()));
        strings->appendInside(root, tag, writer.addedStrings());
    } else if (!strings && !writer.strings.isEmpty()) {
        const QString name = output.newPartName(directoryOf(workbookName) + QStringLiteral("sharedStrings%1.xml"));
        writer.prefix.clear();
        output.added.append(XlsxPackage::Part(name, writer.sharedStringsPart()));
        newRelations += relation(newId(), SharedStringsType, name);
        newOverrides += override(name, QStringLiteral("sharedStrings+xml"));
    }

    // A sheet written anew may have lost formulas that the calculation chain
    // lists: the chain goes, and the spreadsheet application builds it again.
    const bool dropChain = rewritten && !calcChainName.isEmpty() && source.find(calcChainName);
    if (dropChain)
        output.dropped.insert(partName(source, calcChainName));

    // Relationships and content types of the added parts.
    PartText *rels = output.text(relsName);
    QList<Element> rl;
    if (!rels || !rels->scan({}, &rl))
        return fail(rels ? QStringLiteral("unreadable relationships") : QString());
    for (int index : children(rl, 0, QStringLiteral("Relationship"))) {
        if (dropChain && targets.value(rl.at(index).attribute(QStringLiteral("Id"))) == calcChainName)
            rels->replace(rl.at(index).tagFrom, rl.at(index).endTo, QString());
    }
    rels->appendInside(rl.at(0), rels->tag(rl.at(0)), newRelations);

    PartText *types = output.text(QStringLiteral("[Content_Types].xml"));
    QList<Element> ct;
    if (!types || !types->scan({}, &ct))
        return fail(types ? QStringLiteral("unreadable content types") : QString());
    for (int index : children(ct, 0, QStringLiteral("Override"))) {
        const QString part = ct.at(index).attribute(QStringLiteral("PartName"));
        if (dropChain && part.compare(u'/' + calcChainName, Qt::CaseInsensitive) == 0)
            types->replace(ct.at(index).tagFrom, ct.at(index).endTo, QString());
    }
    types->appendInside(ct.at(0), types->tag(ct.at(0)), newOverrides);

    *out = output.result();
    return true;
}
