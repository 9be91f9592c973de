#ifndef EXCELHANDLER_H
#define EXCELHANDLER_H

#include <QColor>
#include <QJsonArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class QAxObject;
class QStandardItem;
class QStandardItemModel;

// Backs the records of a table window up into an Excel workbook: a header
// row and a block of data rows on a new sheet in front of an existing
// workbook, or on the first sheet of a new one. Each call runs Excel from
// start to quit and returns the text for the window to show (empty: show
// nothing).
class ExcelHandler : public QObject
{
    Q_OBJECT

public:
    explicit ExcelHandler(QObject *parent = nullptr);
    ~ExcelHandler() override;

    // Records as JSON objects, header labels, and the JSON key of each column.
    QString setJsonArray(QJsonArray &jsonArray, QList<QString> &headerList, QList<QString> &keyList);
    // A tree of plans, header labels, and the target file (chosen and checked by the caller).
    QString setMolde(QStandardItemModel &model, QList<QString> &headerList, QString &fileName);

    void castListListVariant2Variant(const QList<QList<QVariant>> &rows, QVariant &var);
    void castVariant2ListListVariant(const QVariant &var, QList<QList<QVariant>> &rows);
    void setDatas(QList<QList<QVariant>> &rows, QList<QString> &headerList);

private:
    QString saveas();
    void Excel_SetCell(QAxObject *sheet, int row, int column, QColor color, QString text);
    void castJsonArray2Variant(QJsonArray const &jsonArray, QList<QString> &keyList, QVariant &var);
    int castModel2Variant(QStandardItemModel const &model, QVariant &var);
    void getItem(QStandardItem const &item, QList<QVariant> &rows, int columnCount);
};

#endif // EXCELHANDLER_H
