#include "remindaddupdatedialog.h"
#include "ui_remindaddupdatedialog.h"

#include <QDateTime>
#include <QListView>

#include "domainuser.h"
#include "remindjson.h"
#include "storedchoice.h"

RemindAddUpdateDialog::RemindAddUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::RemindAddUpdateDialog)
{
    ui->setupUi(this);
    const QString itemStyle = QStringLiteral("QComboBox QAbstractItemView::item { min-height: 35px; min-width: 50px; }"
                                             "QListView::item:selected { color: black; background-color: lightgray}");
    for (QComboBox *combo : {ui->comboBox_mold, ui->comboBox_isRemind}) {
        combo->setView(new QListView(combo));
        combo->setStyleSheet(itemStyle);
    }
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    WriteStep::setButtonText(ui->PushButton_confirem, QStringLiteral("添   加"));
    setWindowTitle(QStringLiteral("添加提醒事件"));
    reminder.bind(ReminderBlock::Kind::Dated,
                  {ui->comboBox_isRemind, ui->checkBox_remindMethod, ui->lineEdit_remindMethodBody, nullptr,
                   ui->dateEdit_remindDate, ui->lineEdit_remindDateNumber});
    ui->comboBox_mold->addItems(
        {QStringLiteral("事件"), QStringLiteral("生日"), QStringLiteral("缴费"), QStringLiteral("其它")});
    write.setButtons({ui->PushButton_confirem});
}

RemindAddUpdateDialog::~RemindAddUpdateDialog()
{
    delete ui;
}

void RemindAddUpdateDialog::receiveUser(DomainUser &user)
{
    this->user = &user;
    reminder.setUser(&user);
}

void RemindAddUpdateDialog::receiveRemind(DomainRemind &remind)
{
    this->remind.setId(remind.getId());
    this->remind.setRegisterDate(remind.getRegisterDate());
    this->remind.setLoginName(remind.getLoginName());
    WriteStep::setButtonText(ui->PushButton_confirem, QStringLiteral("更   新"));
    setWindowTitle(QStringLiteral("更新提醒事件"));
    updateView(remind);
}

void RemindAddUpdateDialog::updateView(DomainRemind &remind)
{
    reminder.load(remind);
    StoredChoice::select(ui->comboBox_mold, remind.getMold());
    ui->lineEdit_address->setText(remind.getAddress());
    ui->lineEdit_title->setText(remind.getTitle());
    ui->lineEdit_comment->setText(remind.getComment());
    ui->textEdit_content->setPlainText(remind.getContent());
}

QString RemindAddUpdateDialog::validityCheck()
{
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    if (remind.getId() != 0) {
        remind.setUpdateDate(QDateTime::currentDateTime().toString(format));
    } else {
        remind.setRegisterDate(QDateTime::currentDateTime().toString(format));
        remind.setUpdateDate(QDateTime::currentDateTime().toString(format));
        remind.setLoginName(user ? user->getUsername() : QString());
    }
    remind.setMold(ui->comboBox_mold->currentText());
    const QString problem = reminder.store(remind);
    if (!problem.isEmpty())
        return problem;
    remind.setAddress(ui->lineEdit_address->text());
    remind.setTitle(ui->lineEdit_title->text());
    remind.setComment(ui->lineEdit_comment->text());
    const QString content = ui->textEdit_content->toPlainText();
    if (content.isEmpty())
        return QStringLiteral("提醒事件内容不能为空");
    remind.setContent(content);
    return QString();
}

void RemindAddUpdateDialog::on_PushButton_confirem_clicked()
{
    write.confirm(validityCheck(), [this] { return RemindJson::toJson(remind); });
}

void RemindAddUpdateDialog::on_lPushButton_cancel_clicked()
{
    close();
}

void RemindAddUpdateDialog::on_checkBox_remindMethod_stateChanged(int arg1)
{
    reminder.methodChanged(arg1);
}
