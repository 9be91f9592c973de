#ifndef REGISTDIALOG_H
#define REGISTDIALOG_H

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "domainuser.h"
#include "httpuser.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class RegistDialog;
}
QT_END_NAMESPACE

// Registration of a new user (grade 1, not banned) from the log-in dialog.
class RegistDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RegistDialog(QWidget *parent = nullptr);
    ~RegistDialog() override;

    // The first error of the form, or an empty text; fills the new user as it checks.
    QString validityCheck();

public slots:
    void on_PushButton_confirem_clicked();
    void on_PushButton_cancel_clicked();

private:
    Ui::RegistDialog *ui;
    HttpUser httpUser;
    QJsonObject request;
    QJsonArray list;
    DomainUser user;
};

#endif // REGISTDIALOG_H
