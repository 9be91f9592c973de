// The Excel backup as the table windows call it, read back by openpyxl.

#include "excelhandler.h"
#include "modalanswerer.h"
#include "pythonscript.h"
#include "xlsxworkbook.h"

#include <QApplication>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString NoData = QStringLiteral("没有找到导出的数据");
const QString ReadOnly = QStringLiteral("文件属性为只读,请检查文件是否已打开!");
const QString Failure = QStringLiteral("备份Excel出错,请检查是否安装Excel程序！");
const QString Success = QStringLiteral("备份成功,请到保存的位置查看！");

// Dumps a workbook as JSON: sheet order, the active sheet, the workbook's
// default (Normal style) font, and per sheet every cell with its value (a
// formula as its text), value and cell type, number format and format, the
// custom column widths and row heights, merged ranges, print area and
// whether its tab is selected.
const char *const DumpScript = R"PY(
import json, sys, openpyxl
from openpyxl.utils import get_column_letter
wb = openpyxl.load_workbook(sys.argv[1])
normal = wb._named_styles["Normal"].font
out = {"sheets": wb.sheetnames, "active": wb.active.title, "normalFont": [normal.name, normal.sz], "data": {}}
def rgb(color):
    return color.rgb if color is not None and color.type == "rgb" else None
for ws in wb.worksheets:
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style:
                continue
            cells[c.coordinate] = {"value": c.value, "type": type(c.value).__name__, "dataType": c.data_type,
                "format": c.number_format, "font": c.font.name,
                "bold": bool(c.font.b), "size": c.font.sz, "color": rgb(c.font.color),
                "fill": rgb(c.fill.fgColor) if c.fill.fill_type == "solid" else None,
                "wrap": bool(c.alignment.wrap_text), "h": c.alignment.horizontal, "v": c.alignment.vertical}
    widths = {}
    for key, d in ws.column_dimensions.items():
        if d.customWidth:
            for i in range(d.min or 1, (d.max or d.min or 1) + 1):
                widths[get_column_letter(i)] = d.width
    heights = {str(k): d.height for k, d in ws.row_dimensions.items() if d.height is not None}
    out["data"][ws.title] = {"cells": cells, "widths": widths, "heights": heights,
                             "merged": sorted(str(r) for r in ws.merged_cells.ranges), "printArea": ws.print_area,
                             "selected": bool(ws.sheet_view.tabSelected)}
print(json.dumps(out, default=str))
)PY";

// Excel's file width of a column 15 and 45 digits wide (Calibri 11).
constexpr double Width15 = 15.7109375;
constexpr double Width45 = 45.7109375;

// openpyxl refuses a ".xls" name, so such a file is read through a copy.
QJsonObject dump(const QString &path)
{
    QString readable = path;
    QTemporaryDir copyDir;
    if (path.endsWith(QStringLiteral(".xls"))) {
        readable = copyDir.filePath(QStringLiteral("copy.xlsx"));
        QFile::copy(path, readable);
    }
    QString error;
    const QByteArray out = PythonScript::run(QString::fromLatin1(DumpScript), {readable}, &error);
    if (out.isEmpty())
        qWarning() << "openpyxl:" << error;
    return QJsonDocument::fromJson(out).object();
}

QJsonObject cellOf(const QJsonObject &book, const QString &sheet, const QString &ref)
{
    return book[QStringLiteral("data")][sheet][QStringLiteral("cells")][ref].toObject();
}

// Answers the save dialog with `path`, as a person typing the name would.
void chooseFile(ModalAnswerer &answerer, const QString &path)
{
    answerer.dialog("QFileDialog", [path](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("保存账户为"));
        QVERIFY(dialog->nameFilters().contains(QStringLiteral("Excel(*.xlsx *.xls)")));
        // The person pastes the whole path into the name field and answers
        // the dialog's overwrite question with yes.
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QJsonObject record(const QString &name, const QJsonValue &amount, const QJsonValue &paid)
{
    QJsonObject o;
    o.insert(QStringLiteral("name"), name);
    o.insert(QStringLiteral("amount"), amount);
    o.insert(QStringLiteral("paid"), paid);
    return o;
}

QList<QStandardItem *> planRow(const QString &title, int columns)
{
    QList<QStandardItem *> row;
    for (int c = 0; c < columns; ++c)
        row.append(new QStandardItem(c == 0 ? title : QStringLiteral("%1-%2").arg(title).arg(c)));
    return row;
}

// Two plans, the first with two sub-plans, 29 columns like the plan tree.
void buildTree(QStandardItemModel &model)
{
    const int columns = 29;
    model.setColumnCount(columns);
    QList<QStandardItem *> plan1 = planRow(QStringLiteral("计划1"), columns);
    plan1.first()->appendRow(planRow(QStringLiteral("子计划1"), columns));
    plan1.first()->appendRow(planRow(QStringLiteral("子计划2"), columns));
    model.appendRow(plan1);
    model.appendRow(planRow(QStringLiteral("计划2"), columns));
}

QList<QString> labels(int count)
{
    QList<QString> list;
    for (int i = 1; i <= count; ++i)
        list.append(QStringLiteral("列%1").arg(i));
    return list;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestExcelHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jsonBackupWritesTypedValuesAndFormats();
    void secondBackupGoesOnANewSheetInFront();
    void refusalsComeBeforeExcel();
    void treeBackupFormatsTheLongTextColumns_data();
    void treeBackupFormatsTheLongTextColumns();
    void foreignWorkbookKeepsItsSheets();
    void foreignSheetsComeBackUnchanged();
    void carriageReturnsAreKept();
    void automationFailuresGiveTheFixedText();

private:
    QTemporaryDir dir;
};

void TestExcelHandler::initTestCase()
{
    QVERIFY(dir.isValid());
    QString error;
    const QByteArray version = PythonScript::run(QStringLiteral("import openpyxl; print(openpyxl.__version__)"), {}, &error);
    QVERIFY2(!version.isEmpty(), qPrintable(QStringLiteral("openpyxl is needed: ") + error));
}

void TestExcelHandler::jsonBackupWritesTypedValuesAndFormats()
{
    const QString path = dir.filePath(QStringLiteral("账户备份.xlsx"));
    QJsonArray rows;
    rows.append(record(QStringLiteral("工商银行"), 12, true));
    rows.append(record(QStringLiteral(" 前后空格 \n第二行"), 3.25, false));
    QJsonObject partial;
    partial.insert(QStringLiteral("name"), QStringLiteral("缺项"));
    partial.insert(QStringLiteral("paid"), QJsonValue::Null);
    rows.append(partial);
    QList<QString> headers{QStringLiteral("名称"), QStringLiteral("金额"), QStringLiteral("已付"), QStringLiteral("备注")};
    QList<QString> keys{QStringLiteral("name"), QStringLiteral("amount"), QStringLiteral("paid"), QStringLiteral("comment")};

    ModalAnswerer answerer;
    chooseFile(answerer, path);
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join(u'\n')));
    QVERIFY(answerer.allAnswered());

    const QJsonObject book = dump(path);
    QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("Sheet1")});
    const QString sheet = QStringLiteral("Sheet1");

    for (int i = 0; i < headers.size(); ++i) {
        const QJsonObject h = cellOf(book, sheet, QString(QChar(u'A' + i)) + u'1');
        QCOMPARE(h[QStringLiteral("value")].toString(), headers.at(i));
        QCOMPARE(h[QStringLiteral("color")].toString(), QStringLiteral("FF696969"));
        QVERIFY(h[QStringLiteral("bold")].toBool());
        QCOMPARE(h[QStringLiteral("size")].toDouble(), 14.0);
        QCOMPARE(h[QStringLiteral("h")].toString(), QStringLiteral("center"));
        QCOMPARE(h[QStringLiteral("v")].toString(), QStringLiteral("center"));
        QVERIFY(h[QStringLiteral("fill")].isNull());
    }

    const auto value = [&](const char *ref) { return cellOf(book, sheet, QString::fromLatin1(ref)); };
    QCOMPARE(value("A2")[QStringLiteral("value")].toString(), QStringLiteral("工商银行"));
    QCOMPARE(value("B2")[QStringLiteral("type")].toString(), QStringLiteral("int"));
    QCOMPARE(value("B2")[QStringLiteral("value")].toInt(), 12);
    QCOMPARE(value("C2")[QStringLiteral("type")].toString(), QStringLiteral("bool"));
    QCOMPARE(value("C2")[QStringLiteral("value")].toBool(), true);
    QCOMPARE(value("A3")[QStringLiteral("value")].toString(), QStringLiteral(" 前后空格 \n第二行"));
    QCOMPARE(value("B3")[QStringLiteral("type")].toString(), QStringLiteral("float"));
    QCOMPARE(value("B3")[QStringLiteral("value")].toDouble(), 3.25);
    QCOMPARE(value("C3")[QStringLiteral("value")].toBool(), false);
    // A missing key and a null leave the cell empty, formatted with the block.
    for (const char *ref : {"B4", "C4", "D2", "D4"}) {
        QCOMPARE(value(ref)[QStringLiteral("type")].toString(), QStringLiteral("NoneType"));
        QVERIFY(value(ref)[QStringLiteral("wrap")].toBool());
    }
    QCOMPARE(value("A2")[QStringLiteral("h")].toString(), QStringLiteral("center"));
    QVERIFY(!value("A2")[QStringLiteral("bold")].toBool());
    QVERIFY(value("E2").isEmpty());

    const QJsonObject data = book[QStringLiteral("data")][sheet].toObject();
    for (const char *column : {"A", "B", "C", "D"})
        QCOMPARE(data[QStringLiteral("widths")][QString::fromLatin1(column)].toDouble(), Width15);
    QVERIFY(!data[QStringLiteral("widths")].toObject().contains(QStringLiteral("E")));
    for (const char *row : {"1", "2", "3", "4"})
        QCOMPARE(data[QStringLiteral("heights")][QString::fromLatin1(row)].toDouble(), 30.0);
}

void TestExcelHandler::secondBackupGoesOnANewSheetInFront()
{
    // A ".xls" name is written in the same xlsx format.
    const QString path = dir.filePath(QStringLiteral("twice.xls"));
    QList<QString> headers{QStringLiteral("名称")};
    QList<QString> keys{QStringLiteral("name")};
    for (const QString &name : {QStringLiteral("第一次"), QStringLiteral("第二次")}) {
        QJsonArray rows{record(name, 1, true)};
        ModalAnswerer answerer;
        chooseFile(answerer, path);
        ExcelHandler handler(nullptr);
        QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);
        QVERIFY(answerer.allAnswered());
    }
    QVERIFY(readAll(path).startsWith("PK"));
    const QJsonObject book = dump(path);
    QCOMPARE(book[QStringLiteral("sheets")].toArray(), (QJsonArray{QStringLiteral("Sheet2"), QStringLiteral("Sheet1")}));
    QCOMPARE(cellOf(book, QStringLiteral("Sheet2"), QStringLiteral("A2"))[QStringLiteral("value")].toString(), QStringLiteral("第二次"));
    const QJsonObject first = cellOf(book, QStringLiteral("Sheet1"), QStringLiteral("A2"));
    QCOMPARE(first[QStringLiteral("value")].toString(), QStringLiteral("第一次"));
    // The first backup keeps its formats when the file is saved again.
    QVERIFY(first[QStringLiteral("wrap")].toBool());
    const QJsonObject firstHeader = cellOf(book, QStringLiteral("Sheet1"), QStringLiteral("A1"));
    QCOMPARE(firstHeader[QStringLiteral("color")].toString(), QStringLiteral("FF696969"));
    QCOMPARE(firstHeader[QStringLiteral("size")].toDouble(), 14.0);
    QCOMPARE(book[QStringLiteral("data")][QStringLiteral("Sheet1")][QStringLiteral("widths")][QStringLiteral("A")].toDouble(), Width15);
}

void TestExcelHandler::refusalsComeBeforeExcel()
{
    QList<QString> headers{QStringLiteral("名称")};
    QList<QString> noHeaders;
    QList<QString> keys{QStringLiteral("name")};
    QJsonArray rows{record(QStringLiteral("a"), 1, true)};
    QJsonArray noRows;

    {
        // No dialog is shown for empty input: the answerer has nothing queued.
        ModalAnswerer answerer(2000);
        ExcelHandler handler(nullptr);
        QCOMPARE(handler.setJsonArray(noRows, headers, keys), NoData);
        QCOMPARE(handler.setJsonArray(rows, noHeaders, keys), NoData);
        QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join(u'\n')));
    }
    {
        ModalAnswerer answerer;
        answerer.escape();
        ExcelHandler handler(nullptr);
        const QString text = handler.setJsonArray(rows, headers, keys);
        QVERIFY(text.isEmpty());
        QVERIFY(answerer.allAnswered());
    }
    {
        // The workbook is open in Excel: its lock file lies beside it.
        const QString path = dir.filePath(QStringLiteral("open.xlsx"));
        {
            QFile original(path);
            QVERIFY(original.open(QIODevice::WriteOnly));
            original.write("left as it is");
            QFile lock(dir.filePath(QStringLiteral("~$open.xlsx")));
            QVERIFY(lock.open(QIODevice::WriteOnly));
        }
        ModalAnswerer answerer;
        chooseFile(answerer, path);
        ExcelHandler handler(nullptr);
        QCOMPARE(handler.setJsonArray(rows, headers, keys), ReadOnly);
        QVERIFY(answerer.allAnswered());
        QCOMPARE(readAll(path), QByteArray("left as it is"));
    }
}

void TestExcelHandler::treeBackupFormatsTheLongTextColumns_data()
{
    QTest::addColumn<int>("labelCount");
    QTest::addColumn<QString>("lastHeader");
    QTest::addColumn<QString>("beyondHeader");
    QTest::newRow("member, 27 labels") << 27 << QStringLiteral("AA1") << QStringLiteral("AB1");
    QTest::newRow("administrator, 28 labels") << 28 << QStringLiteral("AB1") << QStringLiteral("AC1");
}

void TestExcelHandler::treeBackupFormatsTheLongTextColumns()
{
    QFETCH(int, labelCount);
    QFETCH(QString, lastHeader);
    QFETCH(QString, beyondHeader);

    QStandardItemModel model;
    buildTree(model);
    QList<QString> headers = labels(labelCount);
    QString path = dir.filePath(QStringLiteral("plans-%1.xlsx").arg(labelCount));
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setMolde(model, headers, path), Success);

    const QJsonObject book = dump(path);
    const QString sheet = QStringLiteral("Sheet1");
    const auto cell = [&](const QString &ref) { return cellOf(book, sheet, ref); };

    // Depth first: each plan before its sub-plans; every cell holds text.
    const QStringList order{QStringLiteral("计划1"), QStringLiteral("子计划1"), QStringLiteral("子计划2"), QStringLiteral("计划2")};
    for (int i = 0; i < order.size(); ++i) {
        QCOMPARE(cell(QStringLiteral("A%1").arg(i + 2))[QStringLiteral("value")].toString(), order.at(i));
        QCOMPARE(cell(QStringLiteral("C%1").arg(i + 2))[QStringLiteral("value")].toString(), order.at(i) + QStringLiteral("-2"));
    }
    QVERIFY(cell(QStringLiteral("A6")).isEmpty());

    // Header row: labels in pale text on a grey fill as far as the last label.
    QCOMPARE(cell(QStringLiteral("A1"))[QStringLiteral("value")].toString(), QStringLiteral("列1"));
    QCOMPARE(cell(QStringLiteral("A1"))[QStringLiteral("color")].toString(), QStringLiteral("FFFFFAFA"));
    QCOMPARE(cell(QStringLiteral("A1"))[QStringLiteral("fill")].toString(), QStringLiteral("FF696969"));
    QCOMPARE(cell(lastHeader)[QStringLiteral("fill")].toString(), QStringLiteral("FF696969"));
    QVERIFY(cell(beyondHeader).isEmpty());

    // The data block, labels wide, on a pale green fill; the model's columns
    // past the labels (id, owner) hold their values without a label or format.
    QCOMPARE(cell(QStringLiteral("A2"))[QStringLiteral("fill")].toString(), QStringLiteral("FFF0FFF0"));
    QVERIFY(cell(QStringLiteral("A2"))[QStringLiteral("wrap")].toBool());
    QCOMPARE(cell(QStringLiteral("A2"))[QStringLiteral("h")].toString(), QStringLiteral("center"));
    QCOMPARE(cell(QString(lastHeader).replace(u'1', u'5'))[QStringLiteral("fill")].toString(), QStringLiteral("FFF0FFF0"));
    QVERIFY(cell(QString(beyondHeader).replace(u'1', u'5'))[QStringLiteral("fill")].isNull());
    QCOMPARE(cell(QStringLiteral("AC3"))[QStringLiteral("value")].toString(), QStringLiteral("子计划1-28"));
    QVERIFY(cell(QStringLiteral("AD3")).isEmpty());

    // Long-text columns F:G and J:N, rows 1 to 5, header cells included.
    for (const char *column : {"F", "G", "J", "K", "L", "M", "N"}) {
        for (int row = 1; row <= 5; ++row) {
            const QJsonObject c = cell(QString::fromLatin1(column) + QString::number(row));
            QCOMPARE(c[QStringLiteral("color")].toString(), QStringLiteral("FF191970"));
            QVERIFY(c[QStringLiteral("bold")].toBool());
            QCOMPARE(c[QStringLiteral("size")].toDouble(), 12.0);
        }
    }
    QCOMPARE(cell(QStringLiteral("F1"))[QStringLiteral("fill")].toString(), QStringLiteral("FF696969"));
    for (const char *ref : {"F2", "G5", "J3", "N4"}) {
        QVERIFY(cell(QString::fromLatin1(ref))[QStringLiteral("wrap")].toBool());
        QCOMPARE(cell(QString::fromLatin1(ref))[QStringLiteral("fill")].toString(), QStringLiteral("FFF0FFF0"));
    }
    QCOMPARE(cell(QStringLiteral("H3"))[QStringLiteral("color")].toString(), QString());
    QCOMPARE(cell(QStringLiteral("B1"))[QStringLiteral("size")].toDouble(), 14.0);

    const QJsonObject data = book[QStringLiteral("data")][sheet].toObject();
    for (const char *column : {"F", "G", "J", "K", "L", "M", "N"})
        QCOMPARE(data[QStringLiteral("widths")][QString::fromLatin1(column)].toDouble(), Width45);
    for (const char *column : {"A", "E", "H", "I", "O", "AA"})
        QCOMPARE(data[QStringLiteral("widths")][QString::fromLatin1(column)].toDouble(), Width15);
    for (int row = 1; row <= 5; ++row)
        QCOMPARE(data[QStringLiteral("heights")][QString::number(row)].toDouble(), 60.0);
    QVERIFY(!data[QStringLiteral("heights")].toObject().contains(QStringLiteral("6")));
}

void TestExcelHandler::foreignWorkbookKeepsItsSheets()
{
    const QString path = dir.filePath(QStringLiteral("foreign.xlsx"));
    const char *const makeScript = R"PY(
import sys, openpyxl
from openpyxl.styles import Font
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "数据"
ws.append(["名称", "数量", "单价", "有效"])
ws.append(["苹果", 3, 2.5, True])
ws.append(["梨", -7, 1e-3, False])
ws["A1"].font = Font(bold=True)
ws["F1"] = "=SUM(B2:B3)"
other = wb.create_sheet("其他")
other["C5"] = "远处"
wb.active = 1
wb.save(sys.argv[1])
)PY";
    QString error;
    PythonScript::run(QString::fromUtf8(makeScript), {path}, &error);
    QVERIFY2(QFile::exists(path), qPrintable(error));

    QJsonArray rows{record(QStringLiteral("新记录"), 1, true)};
    QList<QString> headers{QStringLiteral("名称")};
    QList<QString> keys{QStringLiteral("name")};
    ModalAnswerer answerer;
    chooseFile(answerer, path);
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);

    const QJsonObject book = dump(path);
    QCOMPARE(book[QStringLiteral("sheets")].toArray(),
             (QJsonArray{QStringLiteral("Sheet3"), QStringLiteral("数据"), QStringLiteral("其他")}));
    QCOMPARE(cellOf(book, QStringLiteral("Sheet3"), QStringLiteral("A2"))[QStringLiteral("value")].toString(), QStringLiteral("新记录"));
    const QString data = QStringLiteral("数据");
    const auto value = [&](const char *ref) { return cellOf(book, data, QString::fromLatin1(ref)); };
    QCOMPARE(value("A1")[QStringLiteral("value")].toString(), QStringLiteral("名称"));
    QVERIFY(value("A1")[QStringLiteral("bold")].toBool());
    QCOMPARE(value("A2")[QStringLiteral("value")].toString(), QStringLiteral("苹果"));
    QCOMPARE(value("B2")[QStringLiteral("type")].toString(), QStringLiteral("int"));
    QCOMPARE(value("B3")[QStringLiteral("value")].toInt(), -7);
    QCOMPARE(value("C2")[QStringLiteral("value")].toDouble(), 2.5);
    QCOMPARE(value("C3")[QStringLiteral("value")].toDouble(), 1e-3);
    QCOMPARE(value("D2")[QStringLiteral("type")].toString(), QStringLiteral("bool"));
    QCOMPARE(value("D3")[QStringLiteral("value")].toBool(), false);
    QCOMPARE(cellOf(book, QStringLiteral("其他"), QStringLiteral("C5"))[QStringLiteral("value")].toString(), QStringLiteral("远处"));
}

void TestExcelHandler::foreignSheetsComeBackUnchanged()
{
    const QString path = dir.filePath(QStringLiteral("kept.xlsx"));
    const char *const makeScript = R"PY(
import sys, datetime, openpyxl
from openpyxl.styles import Font
wb = openpyxl.Workbook()
wb._named_styles["Normal"].font = Font(name="Arial", size=10)
ws = wb.active
ws.title = "数据"
ws["A1"] = 3
ws["A2"] = 4.5
ws["A3"] = "=SUM(A1:A2)"
ws["B1"] = datetime.date(2024, 3, 5)
ws["B1"].number_format = "yyyy-mm-dd"
ws["B2"] = datetime.datetime(2024, 3, 5, 14, 30)
ws["B2"].number_format = "yyyy/m/d h:mm"
ws["C1"] = 0.125
ws["C1"].number_format = "0.00%"
ws["C2"] = "第一行\r\n第二行"
ws["D1"] = "合并"
ws.merge_cells("D1:E2")
ws["F1"] = "粗体"
ws["F1"].font = Font(name="宋体", size=16, bold=True)
ws.column_dimensions["B"].width = 21
other = wb.create_sheet("其他")
other["A1"] = "=数据!A3*2"
other["B1"] = datetime.datetime(2023, 12, 31, 23, 59, 59)
other["B1"].number_format = "yyyy-mm-dd hh:mm:ss"
other.print_area = "A1:B3"
wb.active = 1
wb.save(sys.argv[1])
)PY";
    QString error;
    PythonScript::run(QString::fromUtf8(makeScript), {path}, &error);
    QVERIFY2(QFile::exists(path), qPrintable(error));
    const QJsonObject before = dump(path);
    QVERIFY(!before.isEmpty());

    QJsonArray rows{record(QStringLiteral("新记录"), 1, true)};
    QList<QString> headers{QStringLiteral("名称"), QStringLiteral("金额")};
    QList<QString> keys{QStringLiteral("name"), QStringLiteral("amount")};
    ModalAnswerer answerer;
    chooseFile(answerer, path);
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);
    QVERIFY(answerer.allAnswered());

    const QJsonObject after = dump(path);
    QCOMPARE(after[QStringLiteral("sheets")].toArray(),
             (QJsonArray{QStringLiteral("Sheet3"), QStringLiteral("数据"), QStringLiteral("其他")}));
    QCOMPARE(after[QStringLiteral("active")].toString(), QStringLiteral("Sheet3"));
    // The workbook's default font, and every cell of the other sheets as it was.
    QCOMPARE(after[QStringLiteral("normalFont")], before[QStringLiteral("normalFont")]);
    for (const QString &sheet : {QStringLiteral("数据"), QStringLiteral("其他")}) {
        QJsonObject was = before[QStringLiteral("data")][sheet].toObject();
        QJsonObject is = after[QStringLiteral("data")][sheet].toObject();
        // Only the new sheet's tab is selected now.
        QVERIFY(!is.take(QStringLiteral("selected")).toBool());
        was.remove(QStringLiteral("selected"));
        QCOMPARE(is, was);
    }
    // Spelled out: formulas are still formulas, dates still dates in their formats.
    const QJsonObject data = after[QStringLiteral("data")][QStringLiteral("数据")][QStringLiteral("cells")].toObject();
    QCOMPARE(data[QStringLiteral("A3")][QStringLiteral("value")].toString(), QStringLiteral("=SUM(A1:A2)"));
    QCOMPARE(data[QStringLiteral("B1")][QStringLiteral("type")].toString(), QStringLiteral("datetime"));
    QCOMPARE(data[QStringLiteral("B1")][QStringLiteral("format")].toString(), QStringLiteral("yyyy-mm-dd"));
    QCOMPARE(data[QStringLiteral("B2")][QStringLiteral("format")].toString(), QStringLiteral("yyyy/m/d h:mm"));
    QCOMPARE(data[QStringLiteral("C2")][QStringLiteral("value")].toString(), QStringLiteral("第一行\r\n第二行"));
    QCOMPARE(after[QStringLiteral("normalFont")][0].toString(), QStringLiteral("Arial"));
    // The print area still belongs to its sheet, now third.
    QCOMPARE(after[QStringLiteral("data")][QStringLiteral("其他")][QStringLiteral("printArea")].toArray(),
             QJsonArray{QStringLiteral("$A$1:$B$3")});

    // The backup itself, in the workbook's default font.
    const QJsonObject added = after[QStringLiteral("data")][QStringLiteral("Sheet3")][QStringLiteral("cells")].toObject();
    QCOMPARE(added[QStringLiteral("A1")][QStringLiteral("value")].toString(), QStringLiteral("名称"));
    QCOMPARE(added[QStringLiteral("A1")][QStringLiteral("font")].toString(), QStringLiteral("Arial"));
    QCOMPARE(added[QStringLiteral("A1")][QStringLiteral("size")].toDouble(), 14.0);
    QCOMPARE(added[QStringLiteral("A2")][QStringLiteral("value")].toString(), QStringLiteral("新记录"));
    QCOMPARE(added[QStringLiteral("B2")][QStringLiteral("type")].toString(), QStringLiteral("int"));
    QVERIFY(after[QStringLiteral("data")][QStringLiteral("Sheet3")][QStringLiteral("selected")].toBool());

    // A second backup goes in front again; the first stays as it was written.
    const QJsonObject once = after;
    chooseFile(answerer, path);
    QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join(u'\n')));
    const QJsonObject twice = dump(path);
    QCOMPARE(twice[QStringLiteral("sheets")].toArray().size(), 4);
    QJsonObject first = twice[QStringLiteral("data")][QStringLiteral("Sheet3")].toObject();
    first.remove(QStringLiteral("selected"));
    QJsonObject firstBefore = once[QStringLiteral("data")][QStringLiteral("Sheet3")].toObject();
    firstBefore.remove(QStringLiteral("selected"));
    QCOMPARE(first, firstBefore);
    QCOMPARE(twice[QStringLiteral("data")][QStringLiteral("数据")].toObject().value(QStringLiteral("cells")),
             before[QStringLiteral("data")][QStringLiteral("数据")].toObject().value(QStringLiteral("cells")));
}

void TestExcelHandler::carriageReturnsAreKept()
{
    const QString path = dir.filePath(QStringLiteral("lines.xlsx"));
    const QString text = QStringLiteral("第一行\r\n第二行\r末尾");
    QJsonArray rows{record(text, 1, true)};
    QList<QString> headers{QStringLiteral("名称")};
    QList<QString> keys{QStringLiteral("name")};
    ModalAnswerer answerer;
    chooseFile(answerer, path);
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setJsonArray(rows, headers, keys), Success);

    // Written as Excel writes it, since XML itself would turn it into a line feed ...
    QString error;
    const QByteArray strings = PythonScript::run(
        QStringLiteral("import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read('xl/sharedStrings.xml'))"),
        {path}, &error);
    QVERIFY2(strings.contains(QStringLiteral("第一行_x000D_\n第二行_x000D_末尾").toUtf8()), strings.constData());
    // ... and read back as it was.
    const auto book = XlsxWorkbook::load(path, &error);
    QVERIFY2(book, qPrintable(error));
    QCOMPARE(book->sheet(1)->findCell(2, 1)->value.toString(), text);
}

void TestExcelHandler::automationFailuresGiveTheFixedText()
{
    QStandardItemModel model;
    buildTree(model);
    QList<QString> headers = labels(27);

    // An existing file that is no workbook: Excel cannot open it.
    QString damaged = dir.filePath(QStringLiteral("damaged.xlsx"));
    {
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 not really a workbook");
    }
    ExcelHandler handler(nullptr);
    QCOMPARE(handler.setMolde(model, headers, damaged), Failure);
    QCOMPARE(readAll(damaged), QByteArray("PK\x03\x04 not really a workbook"));

    // A folder that does not exist: the workbook cannot be saved there.
    QString unreachable = dir.filePath(QStringLiteral("no-such-folder/plans.xlsx"));
    QCOMPARE(handler.setMolde(model, headers, unreachable), Failure);
    QVERIFY(!QFile::exists(unreachable));

    // An empty tree gives a block without rows, which Excel refuses.
    QStandardItemModel empty;
    QString path = dir.filePath(QStringLiteral("empty.xlsx"));
    QCOMPARE(handler.setMolde(empty, headers, path), Failure);
    QVERIFY(!QFile::exists(path));

    // The JSON backup fails the same way, after the file choice.
    QJsonArray rows{record(QStringLiteral("a"), 1, true)};
    QList<QString> jsonHeaders{QStringLiteral("名称")};
    QList<QString> keys{QStringLiteral("name")};
    ModalAnswerer answerer;
    chooseFile(answerer, damaged);
    QCOMPARE(handler.setJsonArray(rows, jsonHeaders, keys), Failure);
    QVERIFY(answerer.allAnswered());
}

QTEST_MAIN(TestExcelHandler)
#include "tst_excelhandler.moc"
