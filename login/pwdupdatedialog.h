#ifndef PWDUPDATEDIALOG_H
#define PWDUPDATEDIALOG_H

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "domainuser.h"
#include "httpuser.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class PwdUpdateDialog;
}
QT_END_NAMESPACE

// Change of the logged-in user's own password. The new password goes into the
// caller's user record only once the server has stored it.
class PwdUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PwdUpdateDialog(QWidget *parent = nullptr);
    ~PwdUpdateDialog() override;

    // The first error of the form, or an empty text.
    QString validityCheck();

public slots:
    void on_PushButton_cancel_clicked();
    void on_PushButton_confirem_clicked();
    void receiveUser(DomainUser &user, int tag);

private:
    Ui::PwdUpdateDialog *ui;
    HttpUser httpUser;
    QJsonObject request;
    QJsonArray list;
    DomainUser *user = nullptr;
};

#endif // PWDUPDATEDIALOG_H
