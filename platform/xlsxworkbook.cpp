#include "xlsxworkbook.h"

#include "xlsxreader.h"
#include "xlsxupdate.h"
#include "xlsxwriter.h"

#include <QFileInfo>

std::shared_ptr<XlsxSheet> XlsxWorkbook::addSheet()
{
    QString sheetName;
    for (int n = int(sheets.size()) + 1;; ++n) {
        sheetName = QStringLiteral("Sheet%1").arg(n);
        if (!sheetNamed(sheetName))
            break;
    }
    auto added = std::make_shared<XlsxSheet>(sheetName);
    sheets.prepend(added);
    activeSheet = 0;
    return added;
}

std::shared_ptr<XlsxSheet> XlsxWorkbook::sheet(int number) const
{
    if (number < 1 || number > sheets.size())
        return nullptr;
    return sheets.at(number - 1);
}

std::shared_ptr<XlsxSheet> XlsxWorkbook::sheetNamed(const QString &sheetName) const
{
    for (const auto &s : sheets) {
        if (s->name.compare(sheetName, Qt::CaseInsensitive) == 0)
            return s;
    }
    return nullptr;
}

bool XlsxWorkbook::save(const QString &path, QString *error) const
{
    XlsxPackage package;
    if (source) {
        if (!XlsxUpdate::write(*this, &package, error))
            return false;
    } else {
        package = XlsxWriter::write(*this);
    }
    return package.write(path, error);
}

std::shared_ptr<XlsxWorkbook> XlsxWorkbook::load(const QString &path, QString *error)
{
    auto package = std::make_shared<XlsxPackage>();
    if (!package->read(path, error))
        return nullptr;
    auto book = XlsxReader::read(*package, error);
    if (book) {
        book->filePath = path;
        book->name = QFileInfo(path).fileName();
        book->source = package;
    }
    return book;
}
