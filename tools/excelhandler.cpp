#include "excelhandler.h"

#include "qaxobject.h"

#include <QDebug>
#include <QDir>
#include <QException>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonObject>
#include <QStandardItemModel>
#include <QStandardPaths>

#include <functional>
#include <memory>

namespace {

const QString NoData = QStringLiteral("没有找到导出的数据");
const QString ReadOnly = QStringLiteral("文件属性为只读,请检查文件是否已打开!");
const QString ReadOnlyLog = QStringLiteral("报表属性为只读,请检查文件是否已打开!");
const QString Failure = QStringLiteral("备份Excel出错,请检查是否安装Excel程序！");
const QString Success = QStringLiteral("备份成功,请到保存的位置查看！");

// Excel's value for centred alignment, horizontal and vertical.
constexpr int Centered = -4108;

// A query that gives no object ends the backup.
QAxObject *need(QAxObject *object)
{
    if (!object || object->isNull())
        throw QException();
    return object;
}

// Excel takes a colour as red + 256 * green + 65536 * blue.
int excelColor(const QColor &color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

// "A" for 1 ... "Z", "AA", "AB" ...
QString columnName(int column)
{
    QString name;
    while (column > 0) {
        name.prepend(QChar(u'A' + (column - 1) % 26));
        column = (column - 1) / 26;
    }
    return name;
}

// Excel keeps "~$" + the file's name beside a workbook that it has open.
bool lockFileExists(const QString &nativePath)
{
    const QFileInfo info(nativePath);
    return QFile::exists(info.dir().path() + QStringLiteral("/~$") + info.fileName());
}

// The look of the data block that both backups share.
void formatBlock(QAxObject *block)
{
    block->setProperty("WrapText", true);
    block->setProperty("RowHeight", 30);
    block->setProperty("ColumnWidth", 15);
    block->setProperty("HorizontalAlignment", Centered);
    block->setProperty("VerticalAlignment", Centered);
}

// One complete Excel run: start Excel (its window and prompts shown or not),
// open the existing file with a new sheet in front or add a new workbook, set
// the caption, let `write` fill sheet 1, save, close and quit. False when a
// step failed; the Excel that was started is then ended all the same.
bool runExcel(bool shown, const QString &fileName, const std::function<void(QAxObject *workSheet)> &write)
{
    const QString nativeName = QDir::toNativeSeparators(fileName);
    std::unique_ptr<QAxObject> excel;
    try {
        excel.reset(new QAxObject());
        if (!excel->setControl(QStringLiteral("Excel.Application")))
            throw QException();
        excel->setProperty("Visible", shown);
        excel->setProperty("DisplayAlerts", shown);
        QAxObject *workBooks = need(excel->querySubObject("WorkBooks"));
        QAxObject *workBook = nullptr;
        if (QFile::exists(fileName)) {
            workBook = need(workBooks->querySubObject("Open(const QString&)", nativeName));
            QAxObject *workSheets = need(workBook->querySubObject("WorkSheets"));
            need(workSheets->querySubObject("Add()"));
        } else {
            workBooks->dynamicCall("Add");
            workBook = need(excel->querySubObject("ActiveWorkBook"));
        }
        excel->setProperty("Caption", QStringLiteral("Qt Excel"));
        write(need(workBook->querySubObject("Sheets(int)", 1)));

        if (QFile::exists(fileName))
            workBook->dynamicCall("Save()");
        else
            workBook->dynamicCall("SaveAs (const QString&)", nativeName);
        workBook->dynamicCall("Close()");
        excel->dynamicCall("Quit()");
        return true;
    } catch (...) {
        if (excel && !excel->isNull()) {
            try {
                excel->dynamicCall("Quit()");
            } catch (...) {
            }
        }
        return false;
    }
}

} // namespace

ExcelHandler::ExcelHandler(QObject *parent)
    : QObject(parent)
{
}

ExcelHandler::~ExcelHandler() = default;

QString ExcelHandler::setJsonArray(QJsonArray &jsonArray, QList<QString> &headerList, QList<QString> &keyList)
{
    if (jsonArray.isEmpty() || headerList.isEmpty())
        return NoData;
    const QString fileName = saveas();
    const QString nativeName = QDir::toNativeSeparators(fileName);
    if (nativeName.isEmpty())
        return QString();
    if (lockFileExists(nativeName)) {
        qDebug().noquote() << ReadOnlyLog;
        return ReadOnly;
    }

    const bool done = runExcel(false, fileName, [&](QAxObject *workSheet) {
        for (int i = 0; i < headerList.size(); ++i)
            Excel_SetCell(workSheet, 1, i + 1, QColor(105, 105, 105), headerList.at(i));

        QAxObject *anchor = need(workSheet->querySubObject("Range(QString)", QStringLiteral("A2")));
        QAxObject *block = need(anchor->querySubObject("Resize(int,int)", int(jsonArray.size()), int(headerList.size())));
        formatBlock(block);

        QVariant table;
        castJsonArray2Variant(jsonArray, keyList, table);
        block->setProperty("Value", table);
    });
    return done ? Success : Failure;
}

QString ExcelHandler::setMolde(QStandardItemModel &model, QList<QString> &headerList, QString &fileName)
{
    const bool done = runExcel(true, fileName, [&](QAxObject *workSheet) {
        for (int i = 0; i < headerList.size(); ++i)
            Excel_SetCell(workSheet, 1, i + 1, QColor(255, 250, 250), headerList.at(i));

        QAxObject *anchor = need(workSheet->querySubObject("Range(QString)", QStringLiteral("A2")));
        QVariant table;
        const int rowCount = castModel2Variant(model, table);
        QAxObject *block = need(anchor->querySubObject("Resize(int,int)", rowCount, int(headerList.size())));

        QAxObject *interior = need(block->querySubObject("Interior"));
        interior->setProperty("Color", excelColor(QColor(240, 255, 240)));
        formatBlock(block);

        const QString headerRange = QStringLiteral("A1:") + columnName(int(headerList.size())) + QStringLiteral("1");
        QAxObject *header = need(workSheet->querySubObject("Range(QString)", headerRange));
        need(header->querySubObject("Interior"))->setProperty("Color", excelColor(QColor(105, 105, 105)));

        const QString lastRow = QString::number(rowCount + 1);
        for (const QString &columns : {QStringLiteral("F1:G"), QStringLiteral("J1:N")}) {
            QAxObject *range = need(workSheet->querySubObject("Range(QString)", columns + lastRow));
            QAxObject *font = need(range->querySubObject("Font"));
            font->setProperty("Color", excelColor(QColor(25, 25, 112)));
            font->setProperty("Bold", true);
            font->setProperty("Size", 12);
            range->setProperty("RowHeight", 60);
            range->setProperty("ColumnWidth", 45);
        }

        block->setProperty("Value", table);
    });
    return done ? Success : Failure;
}

QString ExcelHandler::saveas()
{
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("保存账户为"),
                                        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                        QStringLiteral("Excel(*.xlsx *.xls)"));
}

void ExcelHandler::Excel_SetCell(QAxObject *sheet, int row, int column, QColor color, QString text)
{
    QAxObject *cell = need(sheet->querySubObject("Cells(int,int)", row, column));
    cell->setProperty("Value", text);
    QAxObject *font = need(cell->querySubObject("Font"));
    font->setProperty("Color", excelColor(color));
    font->setProperty("Bold", true);
    font->setProperty("Size", 14);
    cell->setProperty("HorizontalAlignment", Centered);
    cell->setProperty("VerticalAlignment", Centered);
    cell->setProperty("RowHeight", 30);
}

void ExcelHandler::castJsonArray2Variant(QJsonArray const &jsonArray, QList<QString> &keyList, QVariant &var)
{
    QList<QVariant> rows;
    for (const QJsonValue &element : jsonArray) {
        const QJsonObject record = element.toObject();
        QList<QVariant> row;
        for (const QString &key : keyList)
            row.append(record.value(key).toVariant());
        rows.append(QVariant(row));
    }
    var = QVariant(rows);
}

int ExcelHandler::castModel2Variant(QStandardItemModel const &model, QVariant &var)
{
    // The top-level rows are the children of the model's invisible root.
    QList<QVariant> rows;
    getItem(*model.invisibleRootItem(), rows, model.columnCount());
    var = QVariant(rows);
    return int(rows.size());
}

void ExcelHandler::getItem(QStandardItem const &item, QList<QVariant> &rows, int columnCount)
{
    if (!item.hasChildren())
        return;
    for (int i = 0; i < item.rowCount(); ++i) {
        QList<QVariant> row;
        for (int c = 0; c < columnCount; ++c) {
            const QStandardItem *child = item.child(i, c);
            row.append(child ? child->data(Qt::DisplayRole).toString() : QString());
        }
        rows.append(QVariant(row));
        if (const QStandardItem *first = item.child(i, 0))
            getItem(*first, rows, columnCount);
    }
}

void ExcelHandler::castListListVariant2Variant(const QList<QList<QVariant>> &rows, QVariant &var)
{
    QList<QVariant> table;
    for (const QList<QVariant> &row : rows)
        table.append(QVariant(row));
    var = QVariant(table);
}

void ExcelHandler::castVariant2ListListVariant(const QVariant &var, QList<QList<QVariant>> &rows)
{
    const QList<QVariant> table = var.toList();
    for (const QVariant &row : table)
        rows.append(row.toList());
}

void ExcelHandler::setDatas(QList<QList<QVariant>> &rows, QList<QString> &headerList)
{
    if (rows.isEmpty() || headerList.isEmpty())
        return;
    const QString fileName = saveas();
    const QString nativeName = QDir::toNativeSeparators(fileName);
    qDebug().noquote() << "报表名称" << nativeName;
    if (nativeName.isEmpty())
        return;
    if (lockFileExists(nativeName)) {
        qDebug().noquote() << ReadOnlyLog;
        return;
    }
    runExcel(false, fileName, [&](QAxObject *workSheet) {
        for (int i = 0; i < headerList.size(); ++i)
            Excel_SetCell(workSheet, 1, i + 1, QColor(105, 105, 105), headerList.at(i));
        QAxObject *block = need(workSheet->querySubObject("Range(const QString&)", QStringLiteral("A2:I101")));
        QVariant table;
        castListListVariant2Variant(rows, table);
        block->setProperty("Value", table);
    });
}
