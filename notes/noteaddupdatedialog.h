#ifndef NOTEADDUPDATEDIALOG_H
#define NOTEADDUPDATEDIALOG_H

#include <QDialog>
#include <QFileInfo>
#include <QJsonObject>
#include <QString>

#include "domainnote.h"
#include "httpnote.h"
#include "reminderblock.h"
#include "writestep.h"

class DomainUser;
class WordWindow;

QT_BEGIN_NAMESPACE
namespace Ui {
class NoteAddUpdateDialog;
}
QT_END_NAMESPACE

// Writes a new note or changes one: kind, visibility, priority, title,
// address, comment, rich-text content, the reminder with its e-mail settings
// and one attachment, which is uploaded before the note is written. The
// update form can also save and stay open ("保  存").
class NoteAddUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NoteAddUpdateDialog(QWidget *parent = nullptr);
    ~NoteAddUpdateDialog() override;

    // Fills the form's copy of the note from the form; the first problem, or
    // an empty text when the form is valid.
    QString validityCheck();
    // Shows a stored note in the form.
    void updateView(DomainNote &note);
    // Checks the form, uploads a chosen attachment and writes the note.
    void confirmMethod();

public slots:
    void receiveUser(DomainUser &user);
    void receiveNote(DomainNote &note);

private slots:
    void on_comboBox_isRemind_currentTextChanged(const QString &text);
    void on_checkBox_remindMethod_stateChanged(int state);
    void on_lPushButton_cancel_clicked();
    void on_PushButton_confirem_clicked();
    void on_lineEdit_remindMethodBody_editingFinished();
    void on_PushButton_attachedFile_clicked();
    void on_PushButton_save_clicked();
    void on_lineEdit_title_textChanged(const QString &text);

private:
    // The record object to write, once the chosen attachment (if any) is on
    // the server; empty when the upload failed (its message was shown).
    QJsonObject recordToWrite();
    // Uploads the chosen file under `storedName`; false (and the reason
    // shown) when it could not be read or the server refused it.
    bool upload(const QString &storedName);
    // Once the server stored the note: the caller's record takes the form's
    // copy, and an uploaded file becomes the note's attachment.
    void stored();

    Ui::NoteAddUpdateDialog *ui;
    DomainUser *user = nullptr;
    DomainNote *note = nullptr; // the caller's record, or the dialog's own for a new note
    DomainNote working;         // the form's copy, written back once stored
    HttpNote httpNote;
    WriteStep write{this, httpNote};
    ReminderBlock reminder;
    QFileInfo attachedFileInfo;
    QString oldFileName;
    QString uploadedName; // the stored name of the file the last write uploaded
    WordWindow *wordWindow = nullptr;
    bool contentEdited = false;
    int saveMode = 0;
};

#endif // NOTEADDUPDATEDIALOG_H
