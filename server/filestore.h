#ifndef FILESTORE_H
#define FILESTORE_H

#include <QByteArray>
#include <QString>
#include <string>

// The stored files below <data>/files: note files (images, voice clips,
// attachments) in note/, plan images in workPlan/ and the background tune.
class FileStore
{
public:
    enum class Range { Whole, Partial, Unsatisfiable };
    enum class Placed { Done, Exists, Failed };

    explicit FileStore(const QString &dataDir);

    QString folder(const QString &name) const;
    // Creates the folders; empties the one of unfinished uploads.
    bool createFolders() const;
    // Where uploads are written until they are complete (never served).
    QString incomingFolder() const;
    // Gives a complete temporary file its name in a folder. An existing file of
    // that name is kept (Exists) unless replacing is asked for.
    Placed place(const QString &temporaryPath, const QString &folderName, const QString &name, bool replace) const;
    // Removes a stored file; false when there was none.
    bool remove(const QString &folderName, const QString &name) const;

    // An uploaded or requested file name reduced to a plain name: the last
    // component after any '/' or '\\', without control characters or surrounding
    // blanks. Empty when nothing storable remains ("", ".", "..", too long).
    static QString plainName(const QString &name);
    // The path of an existing regular file inside the given folder (relative to
    // the files root, "" for the root itself), or empty when there is none or
    // the name is not a plain name.
    QString existingFile(const QString &folderName, const QString &name, qint64 *size = nullptr) const;

    // Reads a Range header against a file of the given size. A single range
    // "bytes=a-b" gives Partial with the first and last byte (b clamped to the
    // end of the file), "bytes=a-" and "bytes=-n" likewise; a start at or past
    // the end gives Unsatisfiable; no header, or several ranges, give Whole.
    static Range byteRange(const QByteArray &header, qint64 size, qint64 *first, qint64 *last);
    // Whether a Range header has the form "bytes=a-b[, c-d...]" with no range
    // ending before it starts; a request with any other Range is refused.
    static bool wellFormedRange(const std::string &header);
    // The content type of a stored file, decided by its name alone.
    static std::string contentType(const QString &name);

private:
    QString rootPath;
};

#endif // FILESTORE_H
