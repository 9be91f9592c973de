#include "filestore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <cerrno>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

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
    if (!dir.mkpath(folder(QStringLiteral("note"))) || !dir.mkpath(folder(QStringLiteral("workPlan")))
        || !dir.mkpath(incomingFolder()))
        return false;
    // Uploads that a stop cut short.
    QDirIterator left(incomingFolder(), QDir::Files | QDir::Hidden);
    while (left.hasNext())
        QFile::remove(left.next());
    return true;
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

QString FileStore::existingFile(const QString &folderName, const QString &name, qint64 *size) const
{
    if (name.isEmpty() || plainName(name) != name)
        return QString();
    const QString path = folder(folderName) + QLatin1Char('/') + name;
    struct stat info;
    // lstat: a link is not followed out of the folder.
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return QString();
    if (size)
        *size = static_cast<qint64>(info.st_size);
    return path;
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

QString FileStore::incomingFolder() const
{
    return rootPath + QStringLiteral("/.incoming");
}

FileStore::Placed FileStore::place(const QString &temporaryPath, const QString &folderName, const QString &name,
                                   bool replace) const
{
    const QByteArray from = QFile::encodeName(temporaryPath);
    const QByteArray to = QFile::encodeName(folder(folderName) + QLatin1Char('/') + name);
    if (replace)
        return ::rename(from.constData(), to.constData()) == 0 ? Placed::Done : Placed::Failed;
    // A link either creates the name or fails because it exists: no window in
    // which another upload of the same name could be overwritten.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return Placed::Done;
    }
    return errno == EEXIST ? Placed::Exists : Placed::Failed;
}

bool FileStore::remove(const QString &folderName, const QString &name) const
{
    const QString path = existingFile(folderName, name);
    return !path.isEmpty() && QFile::remove(path);
}

bool FileStore::wellFormedRange(const std::string &header)
{
    static const std::regex whole(R"(bytes=(\d*-\d*(?:,\s*\d*-\d*)*))");
    static const std::regex one(R"(\s*(\d*)-(\d*))");
    if (!std::regex_match(header, whole))
        return false;
    std::size_t start = 6;
    while (start <= header.size()) {
        std::size_t end = header.find(',', start);
        if (end == std::string::npos)
            end = header.size();
        std::smatch m;
        const std::string range = header.substr(start, end - start);
        if (std::regex_match(range, m, one) && m.length(1) > 0 && m.length(2) > 0) {
            // Numbers too long for 64 bits, or an end before the start.
            if (m.length(1) > 18 || m.length(2) > 18 || std::stoll(m.str(1)) > std::stoll(m.str(2)))
                return false;
        }
        start = end + 1;
    }
    return true;
}

std::string FileStore::contentType(const QString &name)
{
    // Looked up once per suffix and thread: the type database takes a lock.
    thread_local QHash<QString, std::string> known;
    const QString suffix = QFileInfo(name).suffix().toLower();
    auto it = known.constFind(suffix);
    if (it != known.constEnd())
        return *it;
    static const QMimeDatabase types;
    const std::string type =
        types.mimeTypeForFile(QStringLiteral("x.") + suffix, QMimeDatabase::MatchExtension).name().toStdString();
    known.insert(suffix, type);
    return type;
}
