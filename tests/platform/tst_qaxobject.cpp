// The automation object in Excel's place: member strings, the object model
// the backup relies on, and workbooks that survive a save and a reopen.

#include "pythonscript.h"
#include "qaxobject.h"

#include <QException>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QVariantList row(std::initializer_list<QVariant> values)
{
    return QVariantList(values);
}

} // namespace

class TestQAxObject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsAndMemberStrings();
    void sheetsAndRanges();
    void propertyWritesReachTheWorkbookEveryTime();
    void savedWorkbookReopensWithValuesAndFormats();
    void writtenSheetOfAForeignWorkbook();
    void failuresOfTheLayer();

private:
    QTemporaryDir dir;
};

void TestQAxObject::initTestCase()
{
    QVERIFY(dir.isValid());
    // Failed calls warn, as ActiveQt does; the tests cause many on purpose.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
}

void TestQAxObject::controlsAndMemberStrings()
{
    QAxObject word(QStringLiteral("Word.Application"));
    QVERIFY(word.isNull());
    QVERIFY(!word.querySubObject("WorkBooks"));
    QVERIFY(!word.dynamicCall("Quit()").isValid());

    QAxObject excel;
    QVERIFY(excel.isNull());
    QVERIFY(excel.setControl(QStringLiteral("Excel.Application")));
    QVERIFY(!excel.isNull());
    QCOMPARE(excel.control(), QStringLiteral("Excel.Application"));

    // Member names compare without regard to case; argument types may follow.
    QAxObject *books = excel.querySubObject("WorkBooks");
    QVERIFY(books);
    QCOMPARE(books->parent(), &excel);
    QVERIFY(excel.querySubObject("Workbooks"));
    QVERIFY(books->dynamicCall("Add").isValid());
    QCOMPARE(books->dynamicCall("Count").toInt(), 1);
    QAxObject *book = excel.querySubObject("ActiveWorkBook");
    QVERIFY(book);
    QVERIFY(book->querySubObject("Sheets(int)", 1));
    QVERIFY(book->querySubObject("Sheets (int)", 1));
    QVERIFY(!book->querySubObject("Sheets(int)", 2));         // one sheet only
    QVERIFY(!book->querySubObject("Sheets(int,int)", 1));     // types do not match the arguments
    QVERIFY(!book->querySubObject("Sheets(int"));             // malformed
    QVERIFY(!books->querySubObject("Open(const QString&)")); // no argument
    QVERIFY(!book->querySubObject("Charts"));                 // not offered
    QVERIFY(!book->dynamicCall("PrintOut()").isValid());

    excel.setProperty("Caption", QStringLiteral("Qt Excel"));
    excel.setProperty("Visible", true);
    QCOMPARE(excel.dynamicCall("Caption").toString(), QStringLiteral("Qt Excel"));
    QCOMPARE(excel.dynamicCall("Visible").toBool(), true);
    // Property writes keep no copy on the object itself.
    QVERIFY(!excel.property("Caption").isValid());
}

void TestQAxObject::sheetsAndRanges()
{
    QAxObject excel(QStringLiteral("Excel.Application"));
    QAxObject *books = excel.querySubObject("WorkBooks");
    QAxObject *book = books->querySubObject("Add");
    QVERIFY(book);
    QAxObject *sheets = book->querySubObject("WorkSheets");
    QVERIFY(sheets);
    QCOMPARE(sheets->dynamicCall("Count").toInt(), 1);
    // A new sheet goes in front and becomes sheet 1.
    QAxObject *added = sheets->querySubObject("Add()");
    QVERIFY(added);
    QCOMPARE(added->dynamicCall("Name").toString(), QStringLiteral("Sheet2"));
    QCOMPARE(book->querySubObject("Sheets(int)", 1)->dynamicCall("Name").toString(), QStringLiteral("Sheet2"));
    QCOMPARE(book->querySubObject("Sheets(int)", 2)->dynamicCall("Name").toString(), QStringLiteral("Sheet1"));
    QCOMPARE(book->querySubObject("ActiveSheet")->dynamicCall("Name").toString(), QStringLiteral("Sheet2"));
    QCOMPARE(sheets->dynamicCall("Count").toInt(), 2);

    QAxObject *sheet = book->querySubObject("Sheets(int)", 1);
    for (const char *bad : {"A0", "1A", "A1:B2:C3", "XFE1", "A1048577", "", "A-1"})
        QVERIFY2(!sheet->querySubObject("Range(QString)", QString::fromLatin1(bad)), bad);
    QVERIFY(!sheet->querySubObject("Cells(int,int)", 0, 1));

    QAxObject *header = sheet->querySubObject("Range(QString)", QStringLiteral("A1:AB1"));
    QVERIFY(header);
    header->querySubObject("Interior")->setProperty("Color", 105 + 256 * 105 + 65536 * 105);
    QCOMPARE(sheet->querySubObject("Cells(int,int)", 1, 28)->querySubObject("Interior")->dynamicCall("Color").toInt(),
             105 + 256 * 105 + 65536 * 105);
    QCOMPARE(sheet->querySubObject("Cells(int,int)", 1, 29)->querySubObject("Interior")->dynamicCall("Color").toInt(),
             0xFFFFFF);
    QCOMPARE(sheet->querySubObject("Range(QString)", QStringLiteral("$AB$1"))->dynamicCall("Column").toInt(), 28);

    // A block anchored at A2: a table value fills it row by row.
    QAxObject *anchor = sheet->querySubObject("Range(QString)", QStringLiteral("A2"));
    QVERIFY(!anchor->querySubObject("Resize(int,int)", 0, 2));
    QVERIFY(!anchor->querySubObject("Resize(int,int)", 1048576, 1)); // past the last row
    QAxObject *block = anchor->querySubObject("Resize(int,int)", 2, 3);
    QVERIFY(block);
    const QVariantList table{row({QStringLiteral("a"), 1, true}), row({2.5, QVariant(), QStringLiteral("f")})};
    block->setProperty("Value", QVariant(table));
    const QVariantList back = sheet->querySubObject("Range(QString)", QStringLiteral("A2:C3"))->dynamicCall("Value").toList();
    QCOMPARE(back.size(), 2);
    QCOMPARE(back.at(0).toList().at(1).typeId(), QMetaType::Int);
    QCOMPARE(back.at(0).toList().at(2).typeId(), QMetaType::Bool);
    QCOMPARE(back.at(1).toList().at(0).toDouble(), 2.5);
    QVERIFY(!back.at(1).toList().at(1).isValid());
    QCOMPARE(back.at(1).toList().at(2).toString(), QStringLiteral("f"));
}

void TestQAxObject::propertyWritesReachTheWorkbookEveryTime()
{
    QAxObject excel(QStringLiteral("Excel.Application"));
    QAxObject *book = excel.querySubObject("WorkBooks")->querySubObject("Add");
    QAxObject *sheet = book->querySubObject("Sheets(int)", 1);
    QAxObject *first = sheet->querySubObject("Range(QString)", QStringLiteral("A1:B2"));
    QAxObject *second = sheet->querySubObject("Range(QString)", QStringLiteral("B2:C3"));
    first->setProperty("RowHeight", 30);
    second->setProperty("RowHeight", 60);
    QCOMPARE(first->dynamicCall("RowHeight").toDouble(), 30.0);
    QCOMPARE(second->dynamicCall("RowHeight").toDouble(), 60.0);
    // The same value again through the first range wins over the second.
    first->setProperty("RowHeight", 30);
    QCOMPARE(second->dynamicCall("RowHeight").toDouble(), 30.0);
    // Values out of Excel's bounds are refused and change nothing.
    first->setProperty("RowHeight", 1000);
    first->setProperty("ColumnWidth", -1);
    first->querySubObject("Font")->setProperty("Color", -5);
    first->setProperty("HorizontalAlignment", 12345);
    QCOMPARE(first->dynamicCall("RowHeight").toDouble(), 30.0);
    QCOMPARE(first->dynamicCall("ColumnWidth").toDouble(), 8.43);
    QCOMPARE(first->querySubObject("Font")->dynamicCall("Color").toInt(), 0);
    QCOMPARE(first->dynamicCall("HorizontalAlignment").toInt(), 1);
}

void TestQAxObject::savedWorkbookReopensWithValuesAndFormats()
{
    const QString path = dir.filePath(QStringLiteral("往返.xlsx"));
    {
        QAxObject excel(QStringLiteral("Excel.Application"));
        QAxObject *book = excel.querySubObject("WorkBooks")->querySubObject("Add");
        QAxObject *sheet = book->querySubObject("Sheets(int)", 1);
        QAxObject *block = sheet->querySubObject("Range(QString)", QStringLiteral("B2"))->querySubObject("Resize(int,int)", 1, 7);
        const QVariantList values{QStringLiteral(" 空格\t和换行\n"), QStringLiteral("控制\x01字符"), QStringLiteral("_x0041_"),
                                  qlonglong(9007199254740993LL), -0.1, false,
                                  QVariantList{1, QStringLiteral("x")}};
        block->setProperty("Value", QVariant(QVariantList{QVariant(values)}));
        block->setProperty("WrapText", true);
        block->setProperty("ColumnWidth", 15);
        block->setProperty("RowHeight", 42.75);
        block->setProperty("HorizontalAlignment", -4108);
        block->setProperty("VerticalAlignment", -4160);
        QAxObject *font = block->querySubObject("Font");
        font->setProperty("Color", 25 + 256 * 25 + 65536 * 112);
        font->setProperty("Bold", true);
        font->setProperty("Size", 12);
        font->setProperty("Name", QStringLiteral("宋体"));
        block->querySubObject("Interior")->setProperty("Color", 240 + 256 * 255 + 65536 * 240);
        sheet->setProperty("Name", QStringLiteral("备份"));
        book->dynamicCall("SaveAs (const QString&)", QDir::toNativeSeparators(path));
        book->dynamicCall("Close()");
        excel.dynamicCall("Quit()");
    }

    QAxObject excel(QStringLiteral("Excel.Application"));
    QAxObject *book = excel.querySubObject("WorkBooks")->querySubObject("Open(const QString&)", path);
    QVERIFY(book);
    QCOMPARE(book->dynamicCall("Name").toString(), QStringLiteral("往返.xlsx"));
    QAxObject *sheet = book->querySubObject("Sheets(int)", 1);
    QCOMPARE(sheet->dynamicCall("Name").toString(), QStringLiteral("备份"));
    const QVariantList back = sheet->querySubObject("Range(QString)", QStringLiteral("B2:H2"))->dynamicCall("Value").toList().first().toList();
    QCOMPARE(back.at(0).toString(), QStringLiteral(" 空格\t和换行\n"));
    QCOMPARE(back.at(1).toString(), QStringLiteral("控制\x01字符"));
    QCOMPARE(back.at(2).toString(), QStringLiteral("_x0041_"));
    QCOMPARE(back.at(3).toLongLong(), 9007199254740993LL);
    QCOMPARE(back.at(4).typeId(), QMetaType::Double);
    QCOMPARE(back.at(4).toDouble(), -0.1);
    QCOMPARE(back.at(5).typeId(), QMetaType::Bool);
    QCOMPARE(back.at(6).toString(), QStringLiteral("[1,\"x\"]"));
    QVERIFY(!sheet->querySubObject("Cells(int,int)", 2, 9)->dynamicCall("Value").isValid());

    QAxObject *cell = sheet->querySubObject("Cells(int,int)", 2, 8);
    QCOMPARE(cell->dynamicCall("WrapText").toBool(), true);
    QCOMPARE(cell->dynamicCall("ColumnWidth").toDouble(), 15.0);
    QCOMPARE(cell->dynamicCall("RowHeight").toDouble(), 42.75);
    QCOMPARE(cell->dynamicCall("HorizontalAlignment").toInt(), -4108);
    QCOMPARE(cell->dynamicCall("VerticalAlignment").toInt(), -4160);
    QAxObject *font = cell->querySubObject("Font");
    QCOMPARE(font->dynamicCall("Color").toInt(), 25 + 256 * 25 + 65536 * 112);
    QCOMPARE(font->dynamicCall("Bold").toBool(), true);
    QCOMPARE(font->dynamicCall("Size").toDouble(), 12.0);
    QCOMPARE(font->dynamicCall("Name").toString(), QStringLiteral("宋体"));
    QCOMPARE(cell->querySubObject("Interior")->dynamicCall("Color").toInt(), 240 + 256 * 255 + 65536 * 240);
    QCOMPARE(sheet->querySubObject("Cells(int,int)", 2, 1)->dynamicCall("ColumnWidth").toDouble(), 8.43);
    QCOMPARE(sheet->querySubObject("Cells(int,int)", 3, 2)->dynamicCall("RowHeight").toDouble(), 15.0);
}

void TestQAxObject::writtenSheetOfAForeignWorkbook()
{
    // A workbook from elsewhere with a calculation chain, as Excel keeps one.
    const QString path = dir.filePath(QStringLiteral("foreign.xlsx"));
    const char *const makeScript = R"PY(
import sys, zipfile, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "公式"
ws["A1"] = 2
ws["A2"] = "=A1*3"
other = wb.create_sheet("写入")
other["A1"] = "=公式!A2+1"
other["B1"] = "旧"
wb.save(sys.argv[1] + ".plain")
src = zipfile.ZipFile(sys.argv[1] + ".plain")
out = zipfile.ZipFile(sys.argv[1], "w")
for item in src.infolist():
    data = src.read(item.filename)
    if item.filename == "[Content_Types].xml":
        data = data.replace(b"</Types>", b'<Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/></Types>')
    if item.filename == "xl/_rels/workbook.xml.rels":
        data = data.replace(b"</Relationships>", b'<Relationship Id="rId99" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>')
    out.writestr(item, data)
out.writestr("xl/calcChain.xml", '<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="A2" i="1"/><c r="A1" i="2"/></calcChain>')
out.close()
)PY";
    QString error;
    PythonScript::run(QString::fromUtf8(makeScript), {path}, &error);
    QVERIFY2(QFile::exists(path), qPrintable(error));

    {
        QAxObject excel(QStringLiteral("Excel.Application"));
        QAxObject *book = excel.querySubObject("WorkBooks")->querySubObject("Open(const QString&)", path);
        QVERIFY(book);
        QAxObject *written = book->querySubObject("Sheets(int)", 2);
        written->querySubObject("Range(QString)", QStringLiteral("B1"))->setProperty("Value", QStringLiteral("新"));
        written->setProperty("Name", QStringLiteral("已写"));
        book->dynamicCall("Save()");
        book->dynamicCall("Close()");
        excel.dynamicCall("Quit()");
    }

    const char *const readScript = R"PY(
import sys, json, zipfile, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
z = zipfile.ZipFile(sys.argv[1])
print(json.dumps({"sheets": wb.sheetnames, "A2": wb["公式"]["A2"].value, "B1": wb["已写"]["B1"].value,
                  "chain": any("calcchain" in n.lower() for n in z.namelist())
                           or b"calcChain" in z.read("xl/_rels/workbook.xml.rels")
                           or b"calcChain" in z.read("[Content_Types].xml")}))
)PY";
    const QJsonObject back = QJsonDocument::fromJson(PythonScript::run(QString::fromUtf8(readScript), {path}, &error)).object();
    QVERIFY2(!back.isEmpty(), qPrintable(error));
    QCOMPARE(back[QStringLiteral("sheets")].toArray(), (QJsonArray{QStringLiteral("公式"), QStringLiteral("已写")}));
    // The sheet not written to keeps its formula; the written one has its new value.
    QCOMPARE(back[QStringLiteral("A2")].toString(), QStringLiteral("=A1*3"));
    QCOMPARE(back[QStringLiteral("B1")].toString(), QStringLiteral("新"));
    // The chain listed formulas of the sheet written anew: it went with them.
    QVERIFY(!back[QStringLiteral("chain")].toBool());
}

void TestQAxObject::failuresOfTheLayer()
{
    QAxObject excel(QStringLiteral("Excel.Application"));
    QAxObject *books = excel.querySubObject("WorkBooks");
    QAxObject *book = books->querySubObject("Add");

    // A new workbook has no file to save into; a folder that is not there
    // cannot take one. Both raise, and nothing is written.
    QVERIFY_THROWS_EXCEPTION(QException, book->dynamicCall("Save()"));
    const QString unreachable = dir.filePath(QStringLiteral("missing/book.xlsx"));
    QVERIFY_THROWS_EXCEPTION(QException, book->dynamicCall("SaveAs (const QString&)", unreachable));
    QVERIFY(!QFile::exists(unreachable));

    QVERIFY(!books->querySubObject("Open(const QString&)", dir.filePath(QStringLiteral("absent.xlsx"))));
    const QString notZip = dir.filePath(QStringLiteral("text.xlsx"));
    {
        QFile f(notZip);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("plain text");
    }
    QVERIFY(!books->querySubObject("Open(const QString&)", notZip));

    // A closed workbook and a quit application answer nothing more.
    QAxObject *sheet = book->querySubObject("Sheets(int)", 1);
    QVERIFY(book->dynamicCall("Close()").isValid());
    QVERIFY(!book->querySubObject("Sheets(int)", 1));
    QVERIFY(!sheet->querySubObject("Range(QString)", QStringLiteral("A1")));
    QVERIFY(excel.dynamicCall("Quit()").isValid());
    QVERIFY(!excel.querySubObject("WorkBooks"));
    QVERIFY(!books->dynamicCall("Add").isValid());
}

QTEST_MAIN(TestQAxObject)
#include "tst_qaxobject.moc"
