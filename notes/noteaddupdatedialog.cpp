#include "noteaddupdatedialog.h"
#include "ui_noteaddupdatedialog.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include "attachmentname.h"
#include "domainuser.h"
#include "notejson.h"
#include "noticebox.h"
#include "storedchoice.h"
#include "wordwindow.h"

namespace {

// The largest attachment a user of a grade may add, with the refusal text;
// grades without a limit are not listed.
struct SizeLimit {
    qint64 bytes;
    const char *refusal;
};

const SizeLimit *sizeLimit(int grade)
{
    static const SizeLimit limits[] = {
        {102400, "文件超过100KB,您的权限不能添加超过100KB的附件 "},
        {307200, "文件超过300KB,您的权限不能添加超过300KB的附件 "},
        {512000, "文件超过500KB,您的权限不能添加超过500KB的附件 "},
        {10485760, "文件超过10MB,您的权限不能添加超过10MB的附件 "},
    };
    return grade >= 1 && grade <= 4 ? &limits[grade - 1] : nullptr;
}

void warn(const QString &text)
{
    NoticeBox::warning(QStringLiteral("提示信息"), text);
}

// The text of the editor's content, whether it came back as HTML or as plain text.
QString plainText(const QString &content)
{
    return Qt::mightBeRichText(content) ? QTextDocumentFragment::fromHtml(content).toPlainText() : content;
}

} // namespace

NoteAddUpdateDialog::NoteAddUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::NoteAddUpdateDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("添加笔记"));
    ui->comboBox_mold->setView(new QListView(ui->comboBox_mold));
    ui->comboBox_isRemind->setView(new QListView(ui->comboBox_isRemind));
    reminder.bind(ReminderBlock::Kind::Optional,
                  {ui->comboBox_isRemind, ui->checkBox_remindMethod, ui->lineEdit_remindMethodBody,
                   ui->comboBox_remindFrequency, ui->dateEdit_remindDate, ui->lineEdit_remindDateNumber});

    note = new DomainNote(this);

    wordWindow = new WordWindow;
    connect(wordWindow, &WordWindow::sindTextChange, this, [this](int changes) {
        // Loading counts as the first change.
        if (changes > 1) {
            contentEdited = true;
            ui->PushButton_save->setEnabled(true);
        }
    });
    ui->horizontalLayout_content->addWidget(wordWindow);

    saveMode = 0;
    ui->PushButton_save->setEnabled(false);
    ui->PushButton_save->hide();
    write.setButtons({ui->PushButton_confirem, ui->PushButton_save});
    write.setOnStored([this] { stored(); });
}

NoteAddUpdateDialog::~NoteAddUpdateDialog()
{
    delete ui;
}

void NoteAddUpdateDialog::receiveUser(DomainUser &user)
{
    this->user = &user;
    reminder.setUser(&user);
}

void NoteAddUpdateDialog::receiveNote(DomainNote &note)
{
    this->note = &note;
    NoteJson::fromJson(NoteJson::toJson(note), working);
    ui->PushButton_confirem->setText(QStringLiteral("更   新"));
    ui->PushButton_save->show();
    setWindowTitle(QStringLiteral("更新笔记"));
    updateView(note);
}

void NoteAddUpdateDialog::updateView(DomainNote &record)
{
    reminder.load(record);
    StoredChoice::select(ui->comboBox_isShow, record.getIsShow());
    StoredChoice::select(ui->comboBox_grade, QString::number(record.getGrade()));
    StoredChoice::select(ui->comboBox_mold, record.getMold());
    ui->lineEdit_address->setText(record.getAddress());
    ui->lineEdit_title->setText(record.getTitle());
    ui->lineEdit_comment->setText(record.getComment());
    wordWindow->setHtmlContent(record.getContent());
    contentEdited = false;

    if (!record.getAttachedFile().isEmpty()) {
        oldFileName = record.getAttachedFile();
        ui->PushButton_attachedFile->setText(QStringLiteral("更改附件"));
        ui->label_attachedFile->setText(AttachmentName::display(oldFileName));
    }
}

void NoteAddUpdateDialog::on_comboBox_isRemind_currentTextChanged(const QString &text)
{
    reminder.isRemindChanged(text);
}

void NoteAddUpdateDialog::on_checkBox_remindMethod_stateChanged(int state)
{
    reminder.methodChanged(state);
}

void NoteAddUpdateDialog::on_lineEdit_remindMethodBody_editingFinished()
{
    reminder.addressFinished();
}

void NoteAddUpdateDialog::on_lineEdit_title_textChanged(const QString &text)
{
    if (text != note->getTitle())
        ui->PushButton_save->setEnabled(true);
}

void NoteAddUpdateDialog::on_lPushButton_cancel_clicked()
{
    close();
}

void NoteAddUpdateDialog::on_PushButton_confirem_clicked()
{
    saveMode = 0;
    confirmMethod();
}

void NoteAddUpdateDialog::on_PushButton_save_clicked()
{
    saveMode = 1;
    confirmMethod();
}

QString NoteAddUpdateDialog::validityCheck()
{
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (working.getId() == 0) {
        working.setRegisterDate(now);
        working.setLoginName(user ? user->getUsername() : QString());
    }
    working.setUpdateDate(now);

    const QString problem = reminder.store(working);
    if (!problem.isEmpty())
        return problem;

    working.setIsShow(ui->comboBox_isShow->currentText());
    working.setGrade(ui->comboBox_grade->currentText().toInt());
    working.setMold(ui->comboBox_mold->currentText());
    working.setAddress(ui->lineEdit_address->text());
    working.setComment(ui->lineEdit_comment->text());

    // An editor left as loaded keeps the stored content as it was: read back,
    // content without a document head would lose its formatting.
    const QString content = contentEdited || note->getId() == 0 ? wordWindow->getHtmlContent() : note->getContent();
    if (plainText(content).trimmed().isEmpty() && ui->lineEdit_title->text().isEmpty())
        return QStringLiteral("笔记主题和笔记内容必须填写其中一个!");
    working.setContent(content);
    working.setTitle(ui->lineEdit_title->text());
    return QString();
}

void NoteAddUpdateDialog::confirmMethod()
{
    const bool done = write.confirm(validityCheck(), [this] { return recordToWrite(); },
                                    saveMode == 1 ? WriteStep::After::Stay : WriteStep::After::Close);
    if (done && saveMode == 1)
        ui->PushButton_save->setEnabled(false);
}

QJsonObject NoteAddUpdateDialog::recordToWrite()
{
    QJsonObject record = NoteJson::toJson(working);
    record.remove(QStringLiteral("attachedFile"));
    if (working.getRemindFrequency().contains(QStringLiteral("无邮件提醒")))
        record.insert(QStringLiteral("remindFrequency"), QString());

    uploadedName.clear();
    if (attachedFileInfo.exists() && attachedFileInfo.isFile()) {
        const QString storedName =
            AttachmentName::stored(attachedFileInfo.fileName(), QDateTime::currentMSecsSinceEpoch());
        if (!upload(storedName))
            return QJsonObject();
        uploadedName = storedName;
        record.insert(QStringLiteral("attachedFile"), storedName);
    } else if (!oldFileName.isEmpty()) {
        record.insert(QStringLiteral("attachedFile"), oldFileName);
    }
    return record;
}

bool NoteAddUpdateDialog::upload(const QString &storedName)
{
    // The file goes out under its stored name from a copy in a folder of our
    // own; the chosen file itself is left alone.
    const QTemporaryDir folder;
    const QString copy = folder.filePath(storedName);
    if (!folder.isValid() || !QFile::copy(attachedFileInfo.absoluteFilePath(), copy)) {
        warn(QStringLiteral("附件读取失败,未能上传: ") + attachedFileInfo.fileName());
        return false;
    }
    const bool replacing = working.getId() != 0 && !oldFileName.isEmpty();
    const QJsonObject result = httpNote.SendFileAndOldFileName(
        replacing ? QStringLiteral("update") : QStringLiteral("add"), replacing ? oldFileName : QString(), copy);
    if (result.value(QStringLiteral("flag")).toInt() != 1) {
        warn(result.value(QStringLiteral("temporary")).toVariant().toString());
        return false;
    }
    return true;
}

void NoteAddUpdateDialog::stored()
{
    if (!uploadedName.isEmpty()) {
        // A second save sends this file no more: it is the note's attachment now.
        working.setAttachedFile(uploadedName);
        oldFileName = uploadedName;
        attachedFileInfo = QFileInfo();
        uploadedName.clear();
    }
    NoteJson::fromJson(NoteJson::toJson(working), *note);
}

void NoteAddUpdateDialog::on_PushButton_attachedFile_clicked()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("添加附件"),
                                     QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                     QStringLiteral("All(*.*)"));
    if (path.isEmpty())
        return;
    attachedFileInfo = QFileInfo(path);
    const int grade = user ? user->getGrade() : 0;
    if (const SizeLimit *limit = sizeLimit(grade)) {
        if (attachedFileInfo.size() <= limit->bytes) {
            ui->label_attachedFile->setStyleSheet(QStringLiteral("color:black;"));
            ui->label_attachedFile->setText(attachedFileInfo.fileName());
        } else {
            ui->label_attachedFile->setText(QString::fromUtf8(limit->refusal));
            ui->label_attachedFile->setStyleSheet(QStringLiteral("color:red;"));
            attachedFileInfo = QFileInfo();
        }
    } else if (grade == 5) {
        ui->label_attachedFile->setText(attachedFileInfo.fileName());
    }
    ui->PushButton_attachedFile->setText(QStringLiteral("更新附件"));
}
