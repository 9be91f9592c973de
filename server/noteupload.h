#ifndef NOTEUPLOAD_H
#define NOTEUPLOAD_H

#include <QJsonObject>
#include <QString>
#include <string>

#include "multipartreader.h"

class FileStore;

// One note file upload (the form with "addUpdate", "oldFileName" and the file
// part "bitmap"): the file's bytes go to a temporary file beside the store as
// they arrive, and finish() puts it under its name. An upload in "add" mode
// never replaces a file of that name; one in "update" mode does, and removes
// its old file once no note names it any more.
class NoteUpload
{
public:
    explicit NoteUpload(const FileStore &files);
    ~NoteUpload();
    NoteUpload(const NoteUpload &) = delete;
    NoteUpload &operator=(const NoteUpload &) = delete;

    // The form's parts, in the order they arrive.
    void part(const MultipartReader::Part &part);
    void data(const char *bytes, std::size_t size);

    // Stores the file and answers the form (reads the store: a worker's job).
    QJsonObject finish();

private:
    void endTextPart();

    const FileStore &files;
    QString currentPart, mode, oldName, name, refusal;
    std::string textValue;
    std::string tempPath; // the temporary file, removed with this object
    int out = -1;
    qint64 written = 0;
};

#endif // NOTEUPLOAD_H
