#ifndef EXCELAPPLICATION_H
#define EXCELAPPLICATION_H

#include "xlsxworkbook.h"

#include <QList>
#include <QString>

#include <memory>

// The state of one automated spreadsheet application in place of Excel:
// its open workbooks, the active one, and the settings of its window.
class ExcelApplication
{
public:
    QList<std::shared_ptr<XlsxWorkbook>> workbooks;
    std::shared_ptr<XlsxWorkbook> activeWorkbook;
    QString caption = QStringLiteral("Excel");
    bool visible = false;
    bool displayAlerts = true;
    bool quit = false;

    // A new workbook "BookN" with one empty sheet, made active.
    std::shared_ptr<XlsxWorkbook> addWorkbook();
    // The workbook of that file, read from disk unless it is open already;
    // made active. Null with a reason when it cannot be read.
    std::shared_ptr<XlsxWorkbook> openWorkbook(const QString &path, QString *error);
    void closeWorkbook(const std::shared_ptr<XlsxWorkbook> &book);
    // Closes every workbook without saving and ends the application.
    void quitApplication();

private:
    int booksAdded = 0;
};

#endif // EXCELAPPLICATION_H
