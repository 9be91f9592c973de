#include "userupdatedialog.h"
#include "ui_userupdatedialog.h"

#include <QDebug>
#include <QLineEdit>

#include "noticebox.h"
#include "userjson.h"

namespace {

void warn(const QString &text)
{
    NoticeBox::warning(QStringLiteral("提示信息"), text);
}

// The fields that the dialog edits.
void copyEditable(const DomainUser &from, DomainUser &to)
{
    to.setRealName(from.getRealName());
    to.setTelephone(from.getTelephone());
    to.setGrade(from.getGrade());
    to.setEMail(from.getEMail());
    to.setAdministrator(from.getAdministrator());
    to.setProhibit(from.getProhibit());
    to.setProhibitCause(from.getProhibitCause());
    to.setComment(from.getComment());
}

} // namespace

UserUpdateDialog::UserUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::UserUpdateDialog)
{
    ui->setupUi(this);
    ui->comboBox_grade->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                  QStringLiteral("5")});
    ui->comboBox_prohibit->addItems({QStringLiteral("正常"), QStringLiteral("禁止")});
}

UserUpdateDialog::~UserUpdateDialog()
{
    delete ui;
}

void UserUpdateDialog::recevieUser(DomainUser &user, int tag)
{
    this->user = &user;
    this->tag = tag;
    const bool ownProfile = tag == 1;
    if (ownProfile) {
        ui->label->setText(QStringLiteral("等级(不能修改)"));
        ui->label_5->setText(QStringLiteral("禁用状态(不能修改)"));
        ui->label_6->setText(QStringLiteral("禁用原因(不能修改)"));
        ui->label_5->setMinimumWidth(130);
        ui->label_6->setMinimumWidth(130);
        ui->LineEdit_password->setEchoMode(QLineEdit::Password);
        ui->LineEdit_prohibitCause->setPlaceholderText(QStringLiteral("不能修改"));
    } else {
        ui->label->setText(QStringLiteral("等级(必选)"));
        ui->label_5->setText(QStringLiteral("禁用状态(必选)"));
        ui->label_6->setText(QStringLiteral("禁用原因(选填)"));
        ui->LineEdit_password->setEchoMode(QLineEdit::Normal);
        ui->LineEdit_prohibitCause->setPlaceholderText(QStringLiteral("请输入禁用原因"));
    }
    ui->comboBox_grade->setEnabled(!ownProfile);
    ui->comboBox_prohibit->setEnabled(!ownProfile);
    ui->LineEdit_prohibitCause->setEnabled(!ownProfile);
    updateView(user);
}

void UserUpdateDialog::updateView(DomainUser &user)
{
    qDebug() << "recevieUser" << user.getUsername();
    ui->LineEdit_username->setText(user.getUsername());
    ui->LineEdit_password->setText(user.getPassword());
    ui->LineEdit_realName->setText(user.getRealName());
    ui->LineEdit_telephone->setText(user.getTelephone());
    const QString grade = QString::number(user.getGrade());
    const int gradeIndex = ui->comboBox_grade->findText(grade);
    if (gradeIndex >= 0) {
        ui->comboBox_grade->setCurrentIndex(gradeIndex);
    } else {
        // A grade outside the choices is shown, not replaced by another one.
        ui->comboBox_grade->setPlaceholderText(grade);
        ui->comboBox_grade->setCurrentIndex(-1);
    }
    ui->LineEdit_eMail->setText(user.getEMail());
    ui->LineEdit_administrator->setText(user.getAdministrator());
    const int prohibitIndex = ui->comboBox_prohibit->findText(user.getProhibit());
    if (prohibitIndex >= 0)
        ui->comboBox_prohibit->setCurrentIndex(prohibitIndex);
    ui->LineEdit_prohibitCause->setText(user.getProhibitCause());
    ui->TextEdit_comment->setPlainText(user.getComment());
}

QString UserUpdateDialog::validityCheck()
{
    // Fields that the form does not show go out as the bound record has them.
    UserJson::fromJson(UserJson::toJson(*user), edited);
    edited.setRealName(ui->LineEdit_realName->text());

    const QString telephone = ui->LineEdit_telephone->text();
    if (!telephone.isEmpty() && telephone.size() < 11)
        return QStringLiteral("手机号码至少11位，请检查");
    edited.setTelephone(telephone);

    // The own profile never changes the grade.
    if (tag != 1) {
        if (ui->comboBox_grade->currentText().isEmpty())
            return QStringLiteral("等级不能为空");
        edited.setGrade(ui->comboBox_grade->currentText().toInt());
    }

    const QString eMail = ui->LineEdit_eMail->text();
    if (!eMail.isEmpty() && (!eMail.contains(QLatin1Char('@')) || !eMail.contains(QLatin1Char('.'))))
        return QStringLiteral("请输入正确的邮箱");
    edited.setEMail(eMail);

    edited.setAdministrator(ui->LineEdit_administrator->text());

    if (ui->comboBox_prohibit->currentText().isEmpty())
        return QStringLiteral("禁止状态不能为空");
    edited.setProhibit(ui->comboBox_prohibit->currentText());
    edited.setProhibitCause(ui->LineEdit_prohibitCause->text());
    edited.setComment(ui->TextEdit_comment->toPlainText());
    return QString();
}

void UserUpdateDialog::on_PushButton_confirem_clicked()
{
    if (!user)
        return;
    const QString error = validityCheck();
    if (!error.isEmpty()) {
        warn(error);
        return;
    }

    const QJsonObject record = UserJson::toJson(edited);
    if (!list.isEmpty())
        list.removeAt(0);
    list.append(record);
    request.insert(QStringLiteral("dList"), list);

    // One update at a time: a second press while the server is asked sends nothing.
    ui->PushButton_confirem->setEnabled(false);
    const QJsonObject result = httpUser.update(request);
    ui->PushButton_confirem->setEnabled(true);
    if (result.value(QStringLiteral("flag")).toInt() == 1) {
        copyEditable(edited, *user);
        accept();
        return;
    }
    warn(result.value(QStringLiteral("temporary")).toString());
}

void UserUpdateDialog::on_PushButton_cancel_clicked()
{
    close();
}
