#ifndef USERUPDATEDIALOG_H
#define USERUPDATEDIALOG_H

#include <QDialog>
#include <QString>

#include "domainuser.h"
#include "httpuser.h"
#include "writestep.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class UserUpdateDialog;
}
QT_END_NAMESPACE

// Change of one user's profile, sent whole to the server. Tag 1 is the user's
// own profile (grade and ban locked, password masked); any other tag is the
// administrators' mode. The opener's record takes the typed values only once
// the server has stored them.
class UserUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UserUpdateDialog(QWidget *parent = nullptr);
    ~UserUpdateDialog() override;

public slots:
    void recevieUser(DomainUser &user, int tag);
    void on_PushButton_cancel_clicked();
    void on_PushButton_confirem_clicked();

private:
    void updateView(DomainUser &user);
    // The first error of the form, or an empty text; fills `edited` as it checks.
    QString validityCheck();

    Ui::UserUpdateDialog *ui;
    DomainUser *user = nullptr;
    HttpUser httpUser;
    int tag = 0;
    DomainUser edited; // the bound record with the form's values, until the server agrees
    WriteStep write{this, httpUser, WriteStep::Target::Update}; // a profile is only ever changed
};

#endif // USERUPDATEDIALOG_H
