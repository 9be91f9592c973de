#include "filestore.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
constexpr int kMaxNameBytes = 240;
}

FileStore::FileStore(const QString &dataDir) : rootPath(QDir(dataDir).absoluteFilePath(QStringLiteral("files"))) {}

QString FileStore::folder(const QString &name) const
{
    return name.isEmpty() ? rootPath : rootPath + QLatin1Char('/') + name;
}

bool FileStore::createFolders() const
{
    QDir dir;
    return dir.mkpath(folder(QStringLiteral("note"))) && dir.mkpath(folder(QStringLiteral("workPlan")));
}

QString FileStore::plainName(const QString &name)
{
    QString last = name;
    const int cut = qMax(last.lastIndexOf(QLatin1Char('/')), last.lastIndexOf(QLatin1Char('\\')));
    if (cut >= 0)
        last = last.mid(cut + 1);
    QString clean;
    for (const QChar c : last) {
        const QChar::Category cat = c.category();
        if (cat == QChar::Other_Control || cat == QChar::Other_Format || cat == QChar::Other_NotAssigned
            || cat == QChar::Other_Surrogate || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph)
            continue;
        clean += c;
    }
    clean = clean.trimmed();
    if (clean.isEmpty() || clean == QLatin1String(".") || clean == QLatin1String("..")
        || clean.toUtf8().size() > kMaxNameBytes)
        return QString();
    return clean;
}

QString FileStore::existingFile(const QString &folderName, const QString &name) const
{
    if (name.isEmpty() || plainName(name) != name)
        return QString();
    const QFileInfo info(folder(folderName) + QLatin1Char('/') + name);
    if (!info.isFile() || info.isSymLink())
        return QString();
    return info.absoluteFilePath();
}

FileStore::Range FileStore::byteRange(const QByteArray &header, qint64 size, qint64 *first, qint64 *last)
{
    static const QRegularExpression form(QStringLiteral("^\\s*bytes\\s*=\\s*(\\d*)\\s*-\\s*(\\d*)\\s*$"));
    const QRegularExpressionMatch m = form.match(QString::fromLatin1(header));
    if (header.isEmpty() || !m.hasMatch())
        return Range::Whole;
    const QString a = m.captured(1), b = m.captured(2);
    bool okA = true, okB = true;
    if (a.isEmpty()) {
        // The last n bytes.
        const qint64 n = b.toLongLong(&okB);
        if (!okB || n <= 0 || size == 0)
            return Range::Unsatisfiable;
        *first = qMax<qint64>(0, size - n);
        *last = size - 1;
        return Range::Partial;
    }
    const qint64 start = a.toLongLong(&okA);
    if (!okA || start >= size)
        return Range::Unsatisfiable;
    qint64 end = size - 1;
    if (!b.isEmpty()) {
        end = b.toLongLong(&okB);
        if (!okB || end >= size)
            end = size - 1;
        if (end < start)
            return Range::Unsatisfiable;
    }
    *first = start;
    *last = end;
    return Range::Partial;
}
