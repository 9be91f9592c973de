#include "pwdupdatedialog.h"
#include "ui_pwdupdatedialog.h"

#include <QDebug>
#include <QMessageBox>

#include "debugjson.h"
#include "userjson.h"

namespace {

void warn(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示信息"), text, QMessageBox::NoButton);
    box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
    box.exec();
}

} // namespace

PwdUpdateDialog::PwdUpdateDialog(QWidget *parent) : QDialog(parent), ui(new Ui::PwdUpdateDialog)
{
    ui->setupUi(this);
}

PwdUpdateDialog::~PwdUpdateDialog()
{
    delete ui;
}

void PwdUpdateDialog::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    this->user = &user;
    ui->label_username->setText(user.getUsername());
}

QString PwdUpdateDialog::validityCheck()
{
    if (ui->LineEdit_password1->text().isEmpty())
        return QStringLiteral("旧密码不能为空");
    if (!user || ui->LineEdit_password1->text() != user->getPassword())
        return QStringLiteral("旧密码输入错误，请重试");
    if (ui->LineEdit_password2->text().isEmpty() || ui->LineEdit_password3->text().isEmpty())
        return QStringLiteral("新密码不能为空");
    if (ui->LineEdit_password2->text() != ui->LineEdit_password3->text())
        return QStringLiteral("两次输入密码不一致，请重新输入");
    return QString();
}

void PwdUpdateDialog::on_PushButton_confirem_clicked()
{
    const QString error = validityCheck();
    if (!error.isEmpty()) {
        warn(error);
        return;
    }

    const QString newPassword = ui->LineEdit_password2->text();
    // The whole user but "eMail" and "administrator", with the new password.
    QJsonObject record = UserJson::toJson(*user, {"id", "username", "realName", "telephone", "grade", "registerDate",
                                                  "userImage", "loginDate", "prohibit", "prohibitCause", "comment"});
    record.insert(QStringLiteral("password"), newPassword);
    if (!list.isEmpty())
        list.removeAt(0);
    list.append(record);
    request.insert(QStringLiteral("dList"), list);

    // One change at a time: a second press while the server is asked sends nothing.
    ui->PushButton_confirem->setEnabled(false);
    const QJsonObject result = httpUser.update(request);
    ui->PushButton_confirem->setEnabled(true);
    qDebug() << "UI" << DebugJson::masked(result);
    if (result.value(QStringLiteral("flag")).toInt() == 1) {
        // Only a stored password becomes the user's password.
        user->setPassword(newPassword);
        accept();
        return;
    }
    warn(result.value(QStringLiteral("temporary")).toString());
}

void PwdUpdateDialog::on_PushButton_cancel_clicked()
{
    close();
}
