#include "userupdatedialog.h"
#include "ui_userupdatedialog.h"

#include <QDebug>
#include <QLineEdit>

#include "storedchoice.h"
#include "userjson.h"

UserUpdateDialog::UserUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::UserUpdateDialog)
{
    ui->setupUi(this);
    ui->comboBox_grade->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                  QStringLiteral("5")});
    ui->comboBox_prohibit->addItems({QStringLiteral("正常"), QStringLiteral("禁止")});
    write.setButtons({ui->PushButton_confirem});
    write.setOnStored([this] { UserJson::fromJson(UserJson::toJson(edited), *this->user); });
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
    // A grade or ban text outside the choices is shown and kept, not replaced by the first item.
    StoredChoice::select(ui->comboBox_grade, QString::number(user.getGrade()));
    ui->LineEdit_eMail->setText(user.getEMail());
    ui->LineEdit_administrator->setText(user.getAdministrator());
    StoredChoice::select(ui->comboBox_prohibit, user.getProhibit());
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
    write.confirm(validityCheck(), [this] { return UserJson::toJson(edited); });
}

void UserUpdateDialog::on_PushButton_cancel_clicked()
{
    close();
}
