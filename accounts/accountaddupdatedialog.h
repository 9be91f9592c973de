#ifndef ACCOUNTADDUPDATEDIALOG_H
#define ACCOUNTADDUPDATEDIALOG_H

#include <QDialog>
#include <QString>

#include "domainaccount.h"
#include "httpaccount.h"
#include "writestep.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class AccountAddUpdateDialog;
}
QT_END_NAMESPACE

// Adds a web account for the logged-in user, or changes one picked from the
// account table. It writes a record of its own (never the caller's) and ends
// Accepted only after the server stored it.
class AccountAddUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AccountAddUpdateDialog(QWidget *parent = nullptr);
    ~AccountAddUpdateDialog() override;

    // Checks the form and copies it into the dialog's record; the first
    // problem's message, or an empty text when the form is valid.
    QString validityCheck();

public slots:
    void receiveUser(QString &username);
    void receiveAccount(DomainAccount &account);
    void updateView(DomainAccount &account);

private slots:
    void on_confiremPushButton_clicked();
    void on_cancelPushButton_clicked();

private:
    Ui::AccountAddUpdateDialog *ui;
    DomainAccount account;
    HttpAccount httpAccount;
    WriteStep write{this, httpAccount};
};

#endif // ACCOUNTADDUPDATEDIALOG_H
