#ifndef FILESTORE_H
#define FILESTORE_H

#include <QByteArray>
#include <QString>

// The stored files below <data>/files: note files (images, voice clips,
// attachments) in note/, plan images in workPlan/ and the background tune.
class FileStore
{
public:
    enum class Range { Whole, Partial, Unsatisfiable };

    explicit FileStore(const QString &dataDir);

    QString folder(const QString &name) const;
    bool createFolders() const;

    // An uploaded or requested file name reduced to a plain name: the last
    // component after any '/' or '\\', without control characters or surrounding
    // blanks. Empty when nothing storable remains ("", ".", "..", too long).
    static QString plainName(const QString &name);
    // The path of an existing regular file inside the given folder (relative to
    // the files root, "" for the root itself), or empty when there is none or
    // the name is not a plain name.
    QString existingFile(const QString &folderName, const QString &name) const;

    // Reads a Range header against a file of the given size. A single range
    // "bytes=a-b" gives Partial with the first and last byte (b clamped to the
    // end of the file), "bytes=a-" and "bytes=-n" likewise; a start at or past
    // the end gives Unsatisfiable; no header, or several ranges, give Whole.
    static Range byteRange(const QByteArray &header, qint64 size, qint64 *first, qint64 *last);

private:
    QString rootPath;
};

#endif // FILESTORE_H
