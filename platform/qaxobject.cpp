#include "qaxobject.h"

#include "excelapplication.h"
#include "xlsxsheet.h"
#include "xlsxworkbook.h"

#include <QColor>
#include <QDir>
#include <QDynamicPropertyChangeEvent>
#include <QException>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <functional>

namespace {

// Formatting a range touches each of its cells; beyond this many the call fails.
constexpr qint64 MaxRangeCells = 4000000;

const QHash<int, QString> &horizontalNames()
{
    static const QHash<int, QString> names = {
        {1, QString()},                           // xlGeneral
        {-4131, QStringLiteral("left")},
        {-4108, QStringLiteral("center")},
        {-4152, QStringLiteral("right")},
        {5, QStringLiteral("fill")},
        {-4130, QStringLiteral("justify")},
        {7, QStringLiteral("centerContinuous")},
        {-4117, QStringLiteral("distributed")},
    };
    return names;
}

const QHash<int, QString> &verticalNames()
{
    static const QHash<int, QString> names = {
        {-4160, QStringLiteral("top")},
        {-4108, QStringLiteral("center")},
        {-4107, QString()},                       // xlBottom
        {-4130, QStringLiteral("justify")},
        {-4117, QStringLiteral("distributed")},
    };
    return names;
}

// Excel passes colours as one number: red + 256 * green + 65536 * blue.
bool toRgb(const QVariant &value, QRgb *rgb)
{
    if (value.typeId() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        if (!c.isValid())
            return false;
        *rgb = qRgb(c.red(), c.green(), c.blue());
        return true;
    }
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || n < 0 || n > 0xFFFFFF)
        return false;
    *rgb = qRgb(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
    return true;
}

int fromRgb(QRgb rgb)
{
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}

bool toNumber(const QVariant &value, double low, double high, double *number)
{
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || d < low || d > high)
        return false;
    *number = d;
    return true;
}

bool isEmptyValue(const QVariant &value)
{
    return !value.isValid() || value.isNull() || value.typeId() == QMetaType::Nullptr;
}

bool validSheetName(const QString &name)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\]"));
    return !name.isEmpty() && name.size() <= 31 && !name.contains(forbidden) && !name.startsWith(u'\'')
           && !name.endsWith(u'\'');
}

QList<QVariant> arguments(std::initializer_list<const QVariant *> vars)
{
    QList<QVariant> list;
    for (const QVariant *v : vars) {
        if (!v->isValid())
            break;
        list.append(*v);
    }
    return list;
}

} // namespace

QAxObject::QAxObject(QObject *parent)
    : QObject(parent)
{
}

QAxObject::QAxObject(const QString &c, QObject *parent)
    : QObject(parent)
{
    setControl(c);
}

QAxObject::QAxObject(Kind kind, QAxObject *parent)
    : QObject(parent)
    , kind(kind)
    , application(parent->application)
{
}

QAxObject::~QAxObject() = default;

bool QAxObject::setControl(const QString &c)
{
    clear();
    static const QRegularExpression progId(QStringLiteral("^\\s*excel\\.application(\\.\\d+)?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (!progId.match(c).hasMatch()) {
        qWarning("QAxObject: no control is registered as %s", qPrintable(c));
        return false;
    }
    controlName = c.trimmed();
    application = std::make_shared<ExcelApplication>();
    kind = Kind::Application;
    return true;
}

QString QAxObject::control() const
{
    return controlName;
}

void QAxObject::clear()
{
    kind = Kind::Null;
    controlName.clear();
    application.reset();
    workbook.reset();
    worksheet.reset();
}

bool QAxObject::isNull() const
{
    return kind == Kind::Null;
}

bool QAxObject::parseMember(const char *member, qsizetype argumentCount, QString *name)
{
    const QString text = QString::fromLatin1(member);
    const qsizetype open = text.indexOf(u'(');
    *name = (open < 0 ? text : text.left(open)).trimmed().toLower();
    if (name->isEmpty())
        return false;
    if (open < 0)
        return true;
    const QString rest = text.mid(open + 1).trimmed();
    if (!rest.endsWith(u')'))
        return false;
    const QString types = rest.chopped(1).trimmed();
    const qsizetype declared = types.isEmpty() ? 0 : types.count(u',') + 1;
    return declared == argumentCount;
}

bool QAxObject::alive() const
{
    if (kind == Kind::Null || !application || application->quit)
        return false;
    if (workbook && !application->workbooks.contains(workbook))
        return false; // closed
    return true;
}

QString QAxObject::describe() const
{
    static const char *const names[] = {"null object", "Application", "Workbooks", "Workbook", "Worksheets",
                                        "Worksheet", "Range", "Font", "Interior"};
    return QString::fromLatin1(names[int(kind)]);
}

QAxObject *QAxObject::subObject(Kind subKind, const std::shared_ptr<XlsxWorkbook> &book,
                                const std::shared_ptr<XlsxSheet> &sheet)
{
    auto *sub = new QAxObject(subKind, this);
    sub->controlName = controlName;
    sub->workbook = book ? book : workbook;
    sub->worksheet = sheet ? sheet : worksheet;
    return sub;
}

QAxObject *QAxObject::rangeObject(Kind subKind, int rangeTop, int rangeLeft, int rangeBottom, int rangeRight)
{
    if (rangeTop < 1 || rangeLeft < 1 || rangeBottom > XlsxSheet::MaxRows || rangeRight > XlsxSheet::MaxColumns
        || rangeTop > rangeBottom || rangeLeft > rangeRight)
        return nullptr;
    QAxObject *sub = subObject(subKind);
    sub->top = rangeTop;
    sub->left = rangeLeft;
    sub->bottom = rangeBottom;
    sub->right = rangeRight;
    return sub;
}

QAxObject *QAxObject::querySubObject(const char *name, const QVariant &var1, const QVariant &var2,
                                     const QVariant &var3, const QVariant &var4, const QVariant &var5,
                                     const QVariant &var6, const QVariant &var7, const QVariant &var8)
{
    QList<QVariant> vars = arguments({&var1, &var2, &var3, &var4, &var5, &var6, &var7, &var8});
    return querySubObject(name, vars);
}

QAxObject *QAxObject::querySubObject(const char *name, QList<QVariant> &vars)
{
    QString member;
    QAxObject *sub = nullptr;
    if (parseMember(name, vars.size(), &member) && alive())
        sub = query(member, vars);
    if (!sub)
        qWarning("QAxObject: %s gives no object for %s", qPrintable(describe()), name);
    return sub;
}

QVariant QAxObject::dynamicCall(const char *name, const QVariant &var1, const QVariant &var2,
                                const QVariant &var3, const QVariant &var4, const QVariant &var5,
                                const QVariant &var6, const QVariant &var7, const QVariant &var8)
{
    QList<QVariant> vars = arguments({&var1, &var2, &var3, &var4, &var5, &var6, &var7, &var8});
    return dynamicCall(name, vars);
}

QVariant QAxObject::dynamicCall(const char *name, QList<QVariant> &vars)
{
    QString member;
    QVariant result;
    bool done = false;
    if (parseMember(name, vars.size(), &member) && alive()) {
        done = call(member, vars, &result);
        if (!done && vars.isEmpty())
            done = readProperty(member, &result);
        else if (!done && vars.size() == 1 && writeProperty(member, vars.first())) {
            done = true;
            result = vars.first();
        }
    }
    if (!done) {
        qWarning("QAxObject: %s cannot do %s", qPrintable(describe()), name);
        return QVariant();
    }
    return result;
}

bool QAxObject::event(QEvent *e)
{
    if (e->type() != QEvent::DynamicPropertyChange)
        return QObject::event(e);
    if (clearingProperty)
        return true;
    const QByteArray name = static_cast<QDynamicPropertyChangeEvent *>(e)->propertyName();
    const QVariant value = property(name.constData());
    if (!value.isValid())
        return true;
    if (!alive() || !writeProperty(QString::fromLatin1(name).trimmed().toLower(), value))
        qWarning("QAxObject: %s cannot set %s", qPrintable(describe()), name.constData());
    // The object keeps no copy: the next write of the same value reaches the model again.
    clearingProperty = true;
    setProperty(name.constData(), QVariant());
    clearingProperty = false;
    return true;
}

QAxObject *QAxObject::query(const QString &name, const QList<QVariant> &args)
{
    const qsizetype n = args.size();
    switch (kind) {
    case Kind::Application:
        if (name == u"workbooks" && n == 0)
            return subObject(Kind::Workbooks);
        if (name == u"activeworkbook" && n == 0 && application->activeWorkbook)
            return subObject(Kind::Workbook, application->activeWorkbook);
        return nullptr;
    case Kind::Workbooks:
        if (name == u"open" && n == 1) {
            QString error;
            const QString path = QDir::fromNativeSeparators(args.first().toString());
            const auto book = path.isEmpty() ? nullptr : application->openWorkbook(path, &error);
            if (!book) {
                qWarning("QAxObject: cannot open %s: %s", qPrintable(path), qPrintable(error));
                return nullptr;
            }
            return subObject(Kind::Workbook, book);
        }
        if (name == u"add" && n == 0)
            return subObject(Kind::Workbook, application->addWorkbook());
        return nullptr;
    case Kind::Workbook:
        if ((name == u"worksheets" || name == u"sheets") && n == 0)
            return subObject(Kind::Worksheets);
        if ((name == u"worksheets" || name == u"sheets") && n == 1) {
            const auto sheet = workbook->sheet(args.first().toInt());
            return sheet ? subObject(Kind::Worksheet, workbook, sheet) : nullptr;
        }
        if (name == u"activesheet" && n == 0)
            return subObject(Kind::Worksheet, workbook, workbook->sheets.value(workbook->activeSheet));
        return nullptr;
    case Kind::Worksheets:
        if (name == u"add" && n == 0)
            return subObject(Kind::Worksheet, workbook, workbook->addSheet());
        return nullptr;
    case Kind::Worksheet:
        if (name == u"cells" && n == 2) {
            bool rowOk = false, columnOk = false;
            const int row = args.at(0).toInt(&rowOk);
            const int column = args.at(1).toInt(&columnOk);
            return rowOk && columnOk ? rangeObject(Kind::Range, row, column, row, column) : nullptr;
        }
        if (name == u"range" && n == 1) {
            const QStringList corners = args.first().toString().split(u':');
            int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
            if (corners.size() > 2 || !XlsxSheet::parseCellReference(corners.first().trimmed(), &r1, &c1))
                return nullptr;
            r2 = r1;
            c2 = c1;
            if (corners.size() == 2 && !XlsxSheet::parseCellReference(corners.last().trimmed(), &r2, &c2))
                return nullptr;
            return rangeObject(Kind::Range, std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2));
        }
        return nullptr;
    case Kind::Range:
        if (name == u"resize" && n == 2) {
            bool rowsOk = false, columnsOk = false;
            const int rows = args.at(0).toInt(&rowsOk);
            const int columns = args.at(1).toInt(&columnsOk);
            if (!rowsOk || !columnsOk || rows < 1 || columns < 1)
                return nullptr;
            return rangeObject(Kind::Range, top, left, int(std::min<qint64>(qint64(top) + rows - 1, XlsxSheet::MaxRows + 1)),
                               int(std::min<qint64>(qint64(left) + columns - 1, XlsxSheet::MaxColumns + 1)));
        }
        if (name == u"font" && n == 0)
            return rangeObject(Kind::Font, top, left, bottom, right);
        if (name == u"interior" && n == 0)
            return rangeObject(Kind::Interior, top, left, bottom, right);
        return nullptr;
    case Kind::Font:
    case Kind::Interior:
    case Kind::Null:
        return nullptr;
    }
    return nullptr;
}

bool QAxObject::call(const QString &name, const QList<QVariant> &args, QVariant *result)
{
    const qsizetype n = args.size();
    switch (kind) {
    case Kind::Application:
        if (name == u"quit" && n == 0) {
            application->quitApplication();
            *result = true;
            return true;
        }
        return false;
    case Kind::Workbooks:
        if (name == u"add" && n == 0) {
            *result = application->addWorkbook()->name;
            return true;
        }
        return false;
    case Kind::Workbook:
        if (name == u"save" && n == 0) {
            saveWorkbook(workbook->filePath);
            *result = true;
            return true;
        }
        if (name == u"saveas" && n >= 1) {
            const QString path = QDir::fromNativeSeparators(args.first().toString());
            saveWorkbook(path);
            workbook->filePath = path;
            workbook->name = QFileInfo(path).fileName();
            *result = true;
            return true;
        }
        if (name == u"close") {
            application->closeWorkbook(workbook);
            *result = true;
            return true;
        }
        return false;
    case Kind::Worksheets:
        if (name == u"add" && n == 0) {
            *result = workbook->addSheet()->name;
            return true;
        }
        return false;
    case Kind::Worksheet:
    case Kind::Range:
    case Kind::Font:
    case Kind::Interior:
    case Kind::Null:
        return false;
    }
    return false;
}

void QAxObject::saveWorkbook(const QString &path)
{
    QString error = QStringLiteral("the workbook has no file yet");
    if (path.isEmpty() || !workbook->save(path, &error)) {
        qWarning("QAxObject: cannot save %s: %s", qPrintable(path), qPrintable(error));
        throw QException();
    }
}

bool QAxObject::readProperty(const QString &name, QVariant *value) const
{
    switch (kind) {
    case Kind::Application:
        if (name == u"visible")
            *value = application->visible;
        else if (name == u"displayalerts")
            *value = application->displayAlerts;
        else if (name == u"caption")
            *value = application->caption;
        else
            return false;
        return true;
    case Kind::Workbooks:
        if (name != u"count")
            return false;
        *value = int(application->workbooks.size());
        return true;
    case Kind::Workbook:
        if (name != u"name")
            return false;
        *value = workbook->name;
        return true;
    case Kind::Worksheets:
        if (name != u"count")
            return false;
        *value = int(workbook->sheets.size());
        return true;
    case Kind::Worksheet:
        if (name != u"name")
            return false;
        *value = worksheet->name;
        return true;
    case Kind::Null:
        return false;
    case Kind::Range:
    case Kind::Font:
    case Kind::Interior:
        break;
    }

    const XlsxSheet::Cell *first = worksheet->findCell(top, left);
    const XlsxCellFormat format = first ? first->format : XlsxCellFormat();
    if (kind == Kind::Font) {
        if (name == u"color")
            *value = fromRgb(format.fontColor.value_or(qRgb(0, 0, 0)));
        else if (name == u"bold")
            *value = format.bold;
        else if (name == u"size")
            *value = format.fontSize > 0 ? format.fontSize : 11.0;
        else if (name == u"name")
            *value = format.fontName.isEmpty() ? QStringLiteral("Calibri") : format.fontName;
        else
            return false;
        return true;
    }
    if (kind == Kind::Interior) {
        if (name != u"color")
            return false;
        *value = fromRgb(format.fillColor.value_or(qRgb(255, 255, 255)));
        return true;
    }
    if (name == u"value") {
        if (top == bottom && left == right) {
            *value = first ? first->value : QVariant();
            return true;
        }
        if (qint64(bottom - top + 1) * (right - left + 1) > MaxRangeCells)
            return false;
        QList<QVariant> rows;
        for (int r = top; r <= bottom; ++r) {
            QList<QVariant> row;
            for (int c = left; c <= right; ++c) {
                const XlsxSheet::Cell *cell = worksheet->findCell(r, c);
                row.append(cell ? cell->value : QVariant());
            }
            rows.append(QVariant(row));
        }
        *value = QVariant(rows);
        return true;
    }
    if (name == u"column")
        *value = left;
    else if (name == u"rowheight")
        *value = worksheet->rowHeights.value(top, XlsxSheet::DefaultRowHeight);
    else if (name == u"columnwidth")
        *value = worksheet->columnWidths.value(left, XlsxSheet::DefaultColumnWidth);
    else if (name == u"wraptext")
        *value = format.wrapText;
    else if (name == u"horizontalalignment")
        *value = horizontalNames().key(format.horizontal, 1);
    else if (name == u"verticalalignment")
        *value = verticalNames().key(format.vertical, -4107);
    else
        return false;
    return true;
}

bool QAxObject::writeProperty(const QString &name, const QVariant &value)
{
    switch (kind) {
    case Kind::Application:
        if (name == u"visible")
            application->visible = value.toBool();
        else if (name == u"displayalerts")
            application->displayAlerts = value.toBool();
        else if (name == u"caption")
            application->caption = value.toString();
        else
            return false;
        return true;
    case Kind::Worksheet: {
        const QString newName = value.toString();
        if (name != u"name" || !validSheetName(newName))
            return false;
        const auto other = workbook->sheetNamed(newName);
        if (other && other != worksheet)
            return false;
        worksheet->name = newName;
        return true;
    }
    case Kind::Range:
    case Kind::Font:
    case Kind::Interior:
        return writeRangeProperty(name, value);
    case Kind::Null:
    case Kind::Workbooks:
    case Kind::Workbook:
    case Kind::Worksheets:
        return false;
    }
    return false;
}

bool QAxObject::writeRangeProperty(const QString &name, const QVariant &value)
{
    XlsxSheet &sheet = *worksheet;
    double number = 0;
    if (kind == Kind::Range && name == u"rowheight") {
        if (!toNumber(value, 0, 409.5, &number))
            return false;
        sheet.changed = true;
        for (int r = top; r <= bottom; ++r)
            sheet.rowHeights.insert(r, number);
        return true;
    }
    if (kind == Kind::Range && name == u"columnwidth") {
        if (!toNumber(value, 0, 255, &number))
            return false;
        sheet.changed = true;
        for (int c = left; c <= right; ++c)
            sheet.columnWidths.insert(c, number);
        return true;
    }
    if (qint64(bottom - top + 1) * (right - left + 1) > MaxRangeCells)
        return false;

    if (kind == Kind::Range && name == u"value") {
        sheet.changed = true;
        const auto put = [&sheet](int r, int c, const QVariant &v) {
            if (!isEmptyValue(v)) {
                sheet.cell(r, c).value = v;
                return;
            }
            const auto it = sheet.cells.find(XlsxSheet::Position(r, c));
            if (it == sheet.cells.end())
                return;
            it->second.value = QVariant();
            if (it->second.format.isDefault())
                sheet.cells.erase(it);
        };
        if (value.typeId() == QMetaType::QVariantList) {
            // A table: one list of cell values per row, from the top-left
            // cell as far as the table reaches, also past the range (a tree
            // backup's rows are wider than its labelled block).
            const QList<QVariant> rows = value.toList();
            for (int i = 0; i < rows.size() && top + i <= XlsxSheet::MaxRows; ++i) {
                const QVariant &rowValue = rows.at(i);
                const QList<QVariant> row = rowValue.typeId() == QMetaType::QVariantList ? rowValue.toList()
                                                                                       : QList<QVariant>{rowValue};
                for (int j = 0; j < row.size() && left + j <= XlsxSheet::MaxColumns; ++j)
                    put(top + i, left + j, row.at(j));
            }
        } else {
            for (int r = top; r <= bottom; ++r) {
                for (int c = left; c <= right; ++c)
                    put(r, c, value);
            }
        }
        return true;
    }

    // Everything else sets one part of the format of every cell in the range.
    std::function<void(XlsxCellFormat &)> apply;
    if (kind == Kind::Range && name == u"wraptext") {
        const bool wrap = value.toBool();
        apply = [wrap](XlsxCellFormat &f) { f.wrapText = wrap; };
    } else if (kind == Kind::Range && (name == u"horizontalalignment" || name == u"verticalalignment")) {
        const bool horizontal = name == u"horizontalalignment";
        const auto &names = horizontal ? horizontalNames() : verticalNames();
        bool ok = false;
        const int code = value.toInt(&ok);
        if (!ok || !names.contains(code))
            return false;
        const QString alignment = names.value(code);
        apply = [horizontal, alignment](XlsxCellFormat &f) { (horizontal ? f.horizontal : f.vertical) = alignment; };
    } else if (kind == Kind::Font && name == u"color") {
        QRgb rgb = 0;
        if (!toRgb(value, &rgb))
            return false;
        apply = [rgb](XlsxCellFormat &f) { f.fontColor = rgb; };
    } else if (kind == Kind::Font && name == u"bold") {
        const bool bold = value.toBool();
        apply = [bold](XlsxCellFormat &f) { f.bold = bold; };
    } else if (kind == Kind::Font && name == u"size") {
        if (!toNumber(value, 1, 409, &number))
            return false;
        apply = [number](XlsxCellFormat &f) { f.fontSize = number == 11 ? 0 : number; };
    } else if (kind == Kind::Font && name == u"name") {
        const QString fontName = value.toString().trimmed();
        if (fontName.isEmpty())
            return false;
        apply = [fontName](XlsxCellFormat &f) { f.fontName = fontName == u"Calibri" ? QString() : fontName; };
    } else if (kind == Kind::Interior && name == u"color") {
        QRgb rgb = 0;
        if (!toRgb(value, &rgb))
            return false;
        apply = [rgb](XlsxCellFormat &f) { f.fillColor = rgb; };
    } else {
        return false;
    }
    sheet.changed = true;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c)
            apply(sheet.cell(r, c).format);
    }
    return true;
}
