#ifndef ATTACHMENTNAME_H
#define ATTACHMENTNAME_H

#include <QString>

// The names of a note's attachment. The server keeps each uploaded file
// under a name of its own, made unique by the moment of the upload; the
// window and the dialog show it again under the name the user chose.
class AttachmentName
{
public:
    // The stored name of a local file: its name without the last suffix, "_",
    // the milliseconds since the epoch and, when the file has a suffix, "." and
    // that suffix ("report.final.pdf" -> "report.final_1700000000000.pdf",
    // "README" -> "README_1700000000000").
    static QString stored(const QString &fileName, qint64 msecsSinceEpoch);
    // The name shown for a stored name: the text before its last "_", "." and
    // the text after its last "." ("my_notes_1700000000000.docx" ->
    // "my_notes.docx"; "README_1700000000000" -> "README"). A name that is
    // not of that form is shown as it is.
    static QString display(const QString &storedName);
};

#endif // ATTACHMENTNAME_H
