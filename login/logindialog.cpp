#include "logindialog.h"
#include "ui_logindialog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>

#include "debugjson.h"
#include "registdialog.h"
#include "userjson.h"

namespace {

// Offset between the pointer and the dialog's corner at the last press; shared by every log-in dialog.
QPoint dragOffset;

const char *const kTimestampFormat = "yyyy-MM-dd HH:mm:ss";

} // namespace

LoginDialog::LoginDialog(QWidget *parent) : QDialog(parent), ui(new Ui::LoginDialog)
{
    ui->setupUi(this);
    menu = new QMenu(this);
    exitAction = new QAction(QIcon(QStringLiteral(":/images/close.png")), QStringLiteral("退出"));
    exitAction->setParent(this); // released with the dialog
    forceQuit = false;

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    ui->userLineEdit->setFocus();
    menu->addAction(exitAction);
    connect(exitAction, &QAction::triggered, this, [this]() {
        reject();
        QCoreApplication::exit(0);
    });
    ui->loginPushButton->setDefault(true);
    ui->loginPushButton->setShortcut(QKeySequence(QKeySequence::InsertParagraphSeparator));
    ui->loginPushButton->setShortcut(QKeySequence(Qt::Key_Return));
    auto *enter = new QShortcut(QKeySequence(QStringLiteral("Enter")), ui->loginPushButton);
    enter->setContext(Qt::WindowShortcut);
    connect(enter, &QShortcut::activated, ui->loginPushButton, &QPushButton::click);
}

LoginDialog::~LoginDialog()
{
    delete ui;
}

void LoginDialog::reject()
{
    left = true;
    QDialog::reject();
}

void LoginDialog::on_exitPushButton_clicked()
{
    reject();
}

void LoginDialog::on_registerPushButton_clicked()
{
    RegistDialog dialog;
    dialog.exec();
}

void LoginDialog::on_loginPushButton_clicked()
{
    if (ui->userLineEdit->text().isEmpty() || ui->pwdLineEdit->text().isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("提示"), QStringLiteral("用户名或密码不能为空"));
        return;
    }
    left = false;
    const QScopedValueRollback<bool> attempt(loggingIn, true);
    ui->loginPushButton->setEnabled(false);
    user.setUsername(ui->userLineEdit->text());
    user.setPassword(ui->pwdLineEdit->text());

    loginUser = UserJson::toJson(user, {"username", "password"});
    if (!loginList.isEmpty())
        loginList.removeAt(0);
    loginList.append(loginUser);
    loginRequest.insert(QStringLiteral("dList"), loginList);
    const QJsonObject result = httpUser.login(loginRequest);
    qDebug() << "uiObject" << DebugJson::masked(result);
    if (left) // the user left while the server was asked: the log-in is abandoned
        return;

    if (result.value(QStringLiteral("flag")).toInt() != 1) {
        ui->pwdLineEdit->setToolTip(QString());
        ui->userLineEdit->setToolTip(QString());
        const QString text = result.value(QStringLiteral("temporary")).toString();
        if (text.contains(QStringLiteral("密码")))
            ui->pwdLineEdit->setToolTip(text);
        else
            ui->userLineEdit->setToolTip(text);
        QMessageBox box(QMessageBox::Information, QStringLiteral("提示信息"), text, QMessageBox::NoButton);
        box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
        box.exec();
        ui->loginPushButton->setEnabled(true);
        return;
    }

    // The reply fills the user; the name and password stay as typed.
    const QString typedName = user.getUsername();
    const QString typedPassword = user.getPassword();
    UserJson::fromJson(result.value(QStringLiteral("dList")).toArray().at(0).toObject(), user);
    user.setUsername(typedName);
    user.setPassword(typedPassword);

    if (!user.getProhibit().isEmpty() && user.getProhibit().contains(QStringLiteral("禁止"))) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("提示信息"), user.getProhibitCause(),
                        QMessageBox::NoButton);
        box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
        box.exec();
        reject();
        return;
    }

    reminderCheck();
    if (left)
        return;
    versionCheck();
    if (left)
        return;
    emit sendUser(user);
    // Leaving while the dashboard took the user (its counts are asked for
    // meanwhile) ends the program as well: the dialog stays rejected.
    if (left)
        return;
    accept();
}

bool LoginDialog::reminderSelected(const QJsonObject &message, const QDateTime &now)
{
    const QString start = message.value(QStringLiteral("showDate")).toString();
    const QString end = message.value(QStringLiteral("showEndDate")).toString();
    const QDateTime startTime = QDateTime::fromString(start, QString::fromLatin1(kTimestampFormat));
    const QDateTime endTime = QDateTime::fromString(end, QString::fromLatin1(kTimestampFormat));
    const bool started = start.isEmpty() || !startTime.isValid() || startTime <= now;
    const bool notEnded = end.isEmpty() || !endTime.isValid() || endTime >= now;
    return started && notEnded;
}

bool LoginDialog::versionSelected(const QJsonObject &message, double versionNumber)
{
    const QJsonValue flag = message.value(QStringLiteral("flag"));
    return flag.isDouble() && flag.toDouble() > versionNumber;
}

void LoginDialog::reminderCheck()
{
    const QDateTime now = QDateTime::currentDateTime();
    announcementCheck(QStringLiteral("and appOS = 'windows' and mold = 'reminder' and showSwitchStr = '展示'"),
                      [now](const QJsonObject &message) { return reminderSelected(message, now); });
}

void LoginDialog::versionCheck()
{
    const double version = property.getVersionNumber();
    announcementCheck(QStringLiteral("and appOS = 'windows' and mold = 'versions' and showSwitchStr = '展示'"),
                      [version](const QJsonObject &message) { return versionSelected(message, version); });
}

void LoginDialog::announcementCheck(const QString &conditionStr,
                                    const std::function<bool(const QJsonObject &)> &selected)
{
    checkRequest.insert(QStringLiteral("conditionStr"), conditionStr);
    checkRequest.insert(QStringLiteral("order"), QStringLiteral("DESC"));
    const QJsonObject result = httpMessage.findByCondition(checkRequest);
    const QJsonValue list = result.value(QStringLiteral("dList"));
    if (!list.isArray() || left)
        return;

    QString joined;
    bool any = false;
    for (const QJsonValue &value : list.toArray()) {
        const QJsonObject message = value.toObject();
        if (selected(message)) {
            any = true;
            joined += message.value(QStringLiteral("message")).toString();
        }
        if (message.value(QStringLiteral("grade")).toInt() > 1)
            forceQuit = true;
    }
    if (!any)
        return;

    QMessageBox box(QMessageBox::Information, QStringLiteral("提示信息"), joined, QMessageBox::NoButton);
    QPushButton *known = box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
    box.setEscapeButton(known);
    box.exec();
    if (box.clickedButton() == known && user.getGrade() < 5 && forceQuit) {
        // A compulsory announcement: the program ends at the first tick once the
        // log-in has completed. Ticks during the log-in's own waits (the next
        // check, the dashboard's first requests) leave it alone, so the log-in
        // still completes with every announcement shown.
        auto *timer = new QTimer;
        connect(timer, &QTimer::timeout, this, [this]() {
            if (loggingIn)
                return;
            close();
            QCoreApplication::quit();
        });
        timer->start(100);
    }
}

void LoginDialog::mousePressEvent(QMouseEvent *event)
{
    dragOffset = event->globalPosition().toPoint() - geometry().topLeft();
}

void LoginDialog::mouseMoveEvent(QMouseEvent *event)
{
    move(event->globalPosition().toPoint() - dragOffset);
}

void LoginDialog::contextMenuEvent(QContextMenuEvent *event)
{
    menu->exec(QCursor::pos());
    event->accept();
}
