#include "accountaddupdatedialog.h"
#include "ui_accountaddupdatedialog.h"

#include <QDateTime>
#include <QDebug>

#include "accountjson.h"

namespace {
QString now()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
} // namespace

AccountAddUpdateDialog::AccountAddUpdateDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::AccountAddUpdateDialog)
{
    ui->setupUi(this);
    write.setButtons({ui->confiremPushButton});
    ui->accountNameLineEdit->setEnabled(true);
    ui->accountNameLineEdit->setStyleSheet(QStringLiteral("background:White"));
    WriteStep::setButtonText(ui->confiremPushButton, QStringLiteral("添   加"));
    setWindowTitle(QStringLiteral("添加窗口"));
    qDebug() << "id" << account.getId();
}

AccountAddUpdateDialog::~AccountAddUpdateDialog()
{
    delete ui;
}

void AccountAddUpdateDialog::receiveUser(QString &username)
{
    if (account.getId() == 0)
        account.setLoginName(username);
}

void AccountAddUpdateDialog::receiveAccount(DomainAccount &source)
{
    account.setId(source.getId());
    account.setRegisterDate(source.getRegisterDate());
    account.setLoginName(source.getLoginName());
    ui->accountNameLineEdit->setEnabled(false);
    ui->accountNameLineEdit->setStyleSheet(QStringLiteral("background:WhiteSmoke"));
    WriteStep::setButtonText(ui->confiremPushButton, QStringLiteral("更   新"));
    setWindowTitle(QStringLiteral("更新窗口"));
    updateView(source);
}

void AccountAddUpdateDialog::updateView(DomainAccount &source)
{
    ui->accountNameLineEdit->setText(source.getAccountName());
    ui->usernameLineEdit->setText(source.getUsername());
    ui->passwordLineEdit->setText(source.getPassword());
    ui->userRealNameLineEdit->setText(source.getUserRealName());
    ui->eMailLineEdit->setText(source.getEMail());
    ui->telephoneLineEdit->setText(source.getTelephone());
    ui->information1LineEdit->setText(source.getInformation1());
    ui->information2LineEdit->setText(source.getInformation2());
    // Shown as typed: a comment that looks like markup must come back unchanged.
    ui->commentTextEdit->setPlainText(source.getComment());
}

QString AccountAddUpdateDialog::validityCheck()
{
    const QString accountName = ui->accountNameLineEdit->text();
    if (accountName.isEmpty())
        return QStringLiteral("你要注册哪个门户用户，这个名字不能为空");
    account.setAccountName(accountName);

    const QString username = ui->usernameLineEdit->text();
    if (username.isEmpty())
        return QStringLiteral("注册时使用的登录名，不能为空");
    account.setUsername(username);

    const QString password = ui->passwordLineEdit->text();
    if (password.isEmpty())
        return QStringLiteral("注册使用的密码，不能为空");
    account.setPassword(password);

    account.setUserRealName(ui->userRealNameLineEdit->text());

    const QString eMail = ui->eMailLineEdit->text();
    if (!eMail.isEmpty() && (!eMail.contains(QLatin1Char('@')) || !eMail.contains(QLatin1Char('.'))))
        return QStringLiteral("邮箱格式不正确，请检查");
    account.setEMail(eMail);

    const QString telephone = ui->telephoneLineEdit->text();
    if (!telephone.isEmpty() && telephone.size() < 11)
        return QStringLiteral("手机号码至少11位，请检查");
    account.setTelephone(telephone);

    account.setInformation1(ui->information1LineEdit->text());
    account.setInformation2(ui->information2LineEdit->text());
    if (account.getId() == 0)
        account.setRegisterDate(now());
    account.setUpdateDate(now());
    account.setComment(ui->commentTextEdit->toPlainText());
    return QString();
}

void AccountAddUpdateDialog::on_confiremPushButton_clicked()
{
    write.confirm(validityCheck(), [this] { return AccountJson::toJson(account); });
}

void AccountAddUpdateDialog::on_cancelPushButton_clicked()
{
    close();
}
