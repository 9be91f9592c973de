#include "registdialog.h"
#include "ui_registdialog.h"

#include <QDateTime>
#include <QDebug>
#include <QMessageBox>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "debugjson.h"
#include "userjson.h"

RegistDialog::RegistDialog(QWidget *parent) : QDialog(parent), ui(new Ui::RegistDialog)
{
    ui->setupUi(this);
    ui->LineEdit_password1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[a-zA-Z0-9]+$")), this));
}

RegistDialog::~RegistDialog()
{
    delete ui;
}

QString RegistDialog::validityCheck()
{
    if (ui->LineEdit_username->text().isEmpty())
        return QStringLiteral("用户名不能为空");
    user.setUsername(ui->LineEdit_username->text());

    if (ui->LineEdit_password1->text().isEmpty() || ui->LineEdit_password2->text().isEmpty())
        return QStringLiteral("密码不能为空");
    if (ui->LineEdit_password1->text() != ui->LineEdit_password2->text())
        return QStringLiteral("两次输入密码不一致，请重新输入");
    user.setPassword(ui->LineEdit_password1->text());

    const QString telephone = ui->LineEdit_telephone->text();
    if (!telephone.isEmpty() && telephone.size() < 11)
        return QStringLiteral("手机号码至少11位，请检查");
    user.setTelephone(telephone);

    user.setRealName(ui->NameLineEdit_userReal->text());

    const QString eMail = ui->LineEdit_eMail->text();
    if (!eMail.isEmpty() && (!eMail.contains(QLatin1Char('@')) || !eMail.contains(QLatin1Char('.'))))
        return QStringLiteral("请输入正确的邮箱");
    user.setEMail(eMail);

    user.setComment(ui->LineEdit_comment->text());
    user.setRegisterDate(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    user.setGrade(1);
    user.setProhibit(QStringLiteral("正常"));
    return QString();
}

void RegistDialog::on_PushButton_confirem_clicked()
{
    const QString error = validityCheck();
    if (!error.isEmpty()) {
        QMessageBox box;
        box.setText(QStringLiteral("提示信息"));
        box.setInformativeText(error);
        box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
        box.exec();
        return;
    }

    const QJsonObject record = UserJson::toJson(user, {"username", "password", "realName", "telephone", "eMail",
                                                       "comment", "prohibit", "grade", "registerDate"});
    if (!list.isEmpty())
        list.removeAt(0);
    list.append(record);
    request.insert(QStringLiteral("dList"), list);

    // One registration at a time: a second press while the server is asked sends nothing.
    ui->PushButton_confirem->setEnabled(false);
    const QJsonObject result = httpUser.add(request);
    ui->PushButton_confirem->setEnabled(true);
    qDebug() << "UI" << DebugJson::masked(result);
    if (result.value(QStringLiteral("flag")).toInt() == 1) {
        accept();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示信息"), result.value(QStringLiteral("temporary")).toString(),
                    QMessageBox::NoButton);
    box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
    box.exec();
}

void RegistDialog::on_PushButton_cancel_clicked()
{
    close();
}
