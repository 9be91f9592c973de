#include "messageaddupdatedialog.h"
#include "ui_messageaddupdatedialog.h"

#include <QDateTime>
#include <QListView>
#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "messagejson.h"
#include "storedchoice.h"

namespace {

const QString kTimestampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

} // namespace

MessageAddUpdateDialog::MessageAddUpdateDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::MessageAddUpdateDialog)
{
    ui->setupUi(this);
    for (QComboBox *combo : {ui->comboBox_appOS, ui->comboBox_grade, ui->comboBox_mold, ui->comboBox_showSwitchStr}) {
        combo->setView(new QListView(combo));
        combo->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView::item { min-height: 35px; min-width: 50px; }"
                                            "QListView::item:selected { color: black; background-color: lightgray}"));
    }
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    message.setId(0);
    WriteStep::setButtonText(ui->confiremPushButton, QStringLiteral("添   加"));
    setWindowTitle(QStringLiteral("添加信息"));
    ui->lineEdit_flag->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)?$")), ui->lineEdit_flag));

    ui->comboBox_appOS->addItems({QStringLiteral("windows"), QStringLiteral("android"), QStringLiteral("webMobile"),
                                  QStringLiteral("webDesk")});
    ui->comboBox_showSwitchStr->addItems({QStringLiteral("展示"), QStringLiteral("不展示")});
    ui->comboBox_mold->addItems({QStringLiteral("about"), QStringLiteral("instructions"), QStringLiteral("reminder"),
                                 QStringLiteral("versions"), QStringLiteral("privacy")});
    ui->comboBox_grade->addItems(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});

    const QDateTime now = QDateTime::currentDateTime();
    for (QDateTimeEdit *edit : {ui->dateEdit_showDate, ui->dateEdit_showEndDate}) {
        edit->setCalendarPopup(true);
        edit->setDateTime(now);
        edit->setEnabled(false);
    }
    // A date the user changes is the one sent.
    connect(ui->dateEdit_showDate, &QDateTimeEdit::dateTimeChanged, this, [this] { storedShowDate.clear(); });
    connect(ui->dateEdit_showEndDate, &QDateTimeEdit::dateTimeChanged, this, [this] { storedShowEndDate.clear(); });

    write.setButtons({ui->confiremPushButton});
}

MessageAddUpdateDialog::~MessageAddUpdateDialog()
{
    delete ui;
}

void MessageAddUpdateDialog::receiveMessage(DomainMessage &source)
{
    message.setId(source.getId());
    WriteStep::setButtonText(ui->confiremPushButton, QStringLiteral("更   新"));
    setWindowTitle(QStringLiteral("更新窗口"));
    updateView(source);
}

void MessageAddUpdateDialog::updateView(DomainMessage &source)
{
    message.setAddDate(source.getAddDate());
    // A stored value the lists do not name is shown and kept, not replaced by the first item.
    StoredChoice::select(ui->comboBox_appOS, source.getAppOS());
    StoredChoice::select(ui->comboBox_showSwitchStr, source.getShowSwitchStr());
    StoredChoice::select(ui->comboBox_mold, source.getMold());
    StoredChoice::select(ui->comboBox_grade, QString::number(source.getGrade()));
    // The shortest text that reads back as the same number: an untouched flag goes back unchanged.
    ui->lineEdit_flag->setText(QString::number(source.getFlag(), 'f', QLocale::FloatingPointShortest));

    const auto showStored = [](const QString &stored, QDateTimeEdit *edit, QCheckBox *box, QString &kept) {
        if (stored.isEmpty()) {
            box->setChecked(false);
            return;
        }
        const QDateTime time = QDateTime::fromString(stored, kTimestampFormat);
        if (time.isValid())
            edit->setDateTime(time);
        box->setChecked(true);
        kept = stored;
    };
    showStored(source.getShowDate(), ui->dateEdit_showDate, ui->checkBox, storedShowDate);
    showStored(source.getShowEndDate(), ui->dateEdit_showEndDate, ui->checkBox2, storedShowEndDate);

    ui->textEdit_message->setPlainText(source.getMessage());
    ui->lineEdit_comment->setText(source.getComment());
}

QString MessageAddUpdateDialog::validityCheck()
{
    const QString text = ui->textEdit_message->toPlainText();
    if (text.isEmpty())
        return QStringLiteral("发布的信息不能为空");
    message.setMessage(text);
    message.setAppOS(ui->comboBox_appOS->currentText());
    message.setShowSwitchStr(ui->comboBox_showSwitchStr->currentText());
    message.setMold(ui->comboBox_mold->currentText());
    message.setGrade(ui->comboBox_grade->currentText().toInt());
    message.setFlag(ui->lineEdit_flag->text().isEmpty() ? 0.0 : ui->lineEdit_flag->text().toDouble());
    if (message.getId() == 0)
        message.setAddDate(QDateTime::currentDateTime().toString(kTimestampFormat));

    const auto dateOf = [](const QCheckBox *box, const QDateTimeEdit *edit, const QString &kept) {
        if (box->checkState() == Qt::Unchecked)
            return QString();
        return kept.isEmpty() ? edit->text() : kept;
    };
    message.setShowDate(dateOf(ui->checkBox, ui->dateEdit_showDate, storedShowDate));
    message.setShowEndDate(dateOf(ui->checkBox2, ui->dateEdit_showEndDate, storedShowEndDate));
    message.setComment(ui->lineEdit_comment->text());
    return QString();
}

void MessageAddUpdateDialog::on_confiremPushButton_clicked()
{
    write.confirm(validityCheck(), [this] { return MessageJson::toJson(message); });
}

void MessageAddUpdateDialog::on_cancelPushButton_clicked()
{
    close();
}

void MessageAddUpdateDialog::on_checkBox_stateChanged(int arg1)
{
    ui->dateEdit_showDate->setEnabled(arg1 != 0);
    storedShowDate.clear();
}

void MessageAddUpdateDialog::on_checkBox2_stateChanged(int arg1)
{
    ui->dateEdit_showEndDate->setEnabled(arg1 != 0);
    storedShowEndDate.clear();
}
