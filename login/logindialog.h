#ifndef LOGINDIALOG_H
#define LOGINDIALOG_H

#include <QDateTime>
#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>

#include <functional>

#include "domainuser.h"
#include "httpmessage.h"
#include "httpuser.h"
#include "property.h"

class QAction;
class QMenu;

QT_BEGIN_NAMESPACE
namespace Ui {
class LoginDialog;
}
QT_END_NAMESPACE

// The front door: posts the typed name and password to the server, fills the
// logged-in user, refuses a banned one, shows the server's reminder and version
// announcements for Windows clients, hands the user on through sendUser and
// accepts. The logged-in user lives in this dialog for the whole run.
//
// Leaving the dialog (its exit button, Escape, the context menu's "退出") ends
// it rejected even while a request waits, the dashboard's first requests after
// the hand-over included: the log-in is then abandoned and the dialog is never
// accepted, so exec() returns Rejected.
class LoginDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LoginDialog(QWidget *parent = nullptr);
    ~LoginDialog() override;

    // Selection rules of the announcement checks.
    // A reminder shows when now lies within its show period (an empty or unreadable bound never excludes).
    static bool reminderSelected(const QJsonObject &message, const QDateTime &now);
    // A version announcement shows when its number is above the client's version.
    static bool versionSelected(const QJsonObject &message, double versionNumber);

signals:
    void sendUser(DomainUser &user);

public slots:
    void on_exitPushButton_clicked();
    void on_loginPushButton_clicked();
    void on_registerPushButton_clicked();

public:
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void versionCheck();
    void reminderCheck();
    // Runs one announcement check; `selected` decides which entries are shown.
    void announcementCheck(const QString &conditionStr, const std::function<bool(const QJsonObject &)> &selected);

    Ui::LoginDialog *ui;
    HttpUser httpUser;
    QJsonObject loginRequest;
    QJsonObject loginUser;
    QJsonArray loginList;
    DomainUser user;
    QMenu *menu = nullptr;
    QAction *exitAction = nullptr;
    bool forceQuit = false;
    QJsonObject checkRequest;
    HttpMessage httpMessage;
    Property property;
    bool left = false;      // the user left the dialog during the current attempt
    bool loggingIn = false; // a log-in attempt is under way
};

#endif // LOGINDIALOG_H
