#include "xlsxworkbook.h"

#include "xlsxreader.h"
#include "xlsxwriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

namespace {

// Guards against archives that unpack into absurd sizes.
constexpr qint64 MaxUnpackedBytes = qint64(1) << 30;

} // namespace

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
    QBuffer zipBytes;
    {
        QuaZip zip(&zipBytes);
        zip.setUtf8Enabled(true);
        if (!zip.open(QuaZip::mdCreate)) {
            *error = QStringLiteral("cannot create the archive (%1)").arg(zip.getZipError());
            return false;
        }
        const auto parts = XlsxWriter::write(*this);
        for (const auto &part : parts) {
            QuaZipFile entry(&zip);
            if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(part.first))
                || entry.write(part.second) != part.second.size()) {
                *error = QStringLiteral("cannot write %1 into the archive").arg(part.first);
                return false;
            }
            entry.close();
            if (entry.getZipError() != 0) {
                *error = QStringLiteral("cannot write %1 into the archive").arg(part.first);
                return false;
            }
        }
        zip.close();
        if (zip.getZipError() != 0) {
            *error = QStringLiteral("cannot finish the archive (%1)").arg(zip.getZipError());
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    file.write(zipBytes.data());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

std::shared_ptr<XlsxWorkbook> XlsxWorkbook::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return nullptr;
    }
    QBuffer zipBytes;
    zipBytes.setData(file.readAll());
    file.close();

    QuaZip zip(&zipBytes);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdUnzip)) {
        *error = QStringLiteral("not a zip archive");
        return nullptr;
    }
    QHash<QString, QByteArray> parts;
    qint64 unpacked = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            *error = QStringLiteral("unreadable archive entry");
            return nullptr;
        }
        if (info.name.endsWith(u'/'))
            continue;
        unpacked += qint64(info.uncompressedSize);
        if (unpacked > MaxUnpackedBytes) {
            *error = QStringLiteral("archive too large");
            return nullptr;
        }
        QuaZipFile entry(&zip);
        if (!entry.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(info.name);
            return nullptr;
        }
        parts.insert(info.name, entry.readAll());
        entry.close();
        if (entry.getZipError() != 0) {
            *error = QStringLiteral("damaged entry %1").arg(info.name);
            return nullptr;
        }
    }
    zip.close();

    auto book = XlsxReader::read(parts, error);
    if (book) {
        book->filePath = path;
        book->name = QFileInfo(path).fileName();
    }
    return book;
}
