#include "excelapplication.h"

#include <QFileInfo>

std::shared_ptr<XlsxWorkbook> ExcelApplication::addWorkbook()
{
    auto book = std::make_shared<XlsxWorkbook>();
    book->name = QStringLiteral("Book%1").arg(++booksAdded);
    book->addSheet();
    workbooks.append(book);
    activeWorkbook = book;
    return book;
}

std::shared_ptr<XlsxWorkbook> ExcelApplication::openWorkbook(const QString &path, QString *error)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (const auto &book : std::as_const(workbooks)) {
        if (!book->filePath.isEmpty() && QFileInfo(book->filePath).absoluteFilePath() == wanted) {
            activeWorkbook = book;
            return book;
        }
    }
    auto book = XlsxWorkbook::load(path, error);
    if (book) {
        workbooks.append(book);
        activeWorkbook = book;
    }
    return book;
}

void ExcelApplication::closeWorkbook(const std::shared_ptr<XlsxWorkbook> &book)
{
    workbooks.removeAll(book);
    if (activeWorkbook == book)
        activeWorkbook = workbooks.isEmpty() ? nullptr : workbooks.last();
}

void ExcelApplication::quitApplication()
{
    workbooks.clear();
    activeWorkbook.reset();
    quit = true;
}
