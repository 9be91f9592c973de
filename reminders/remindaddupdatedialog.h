#ifndef REMINDADDUPDATEDIALOG_H
#define REMINDADDUPDATEDIALOG_H

#include <QDialog>
#include <QString>

#include "domainremind.h"
#include "httpremind.h"
#include "reminderblock.h"
#include "writestep.h"

class DomainUser;

QT_BEGIN_NAMESPACE
namespace Ui {
class RemindAddUpdateDialog;
}
QT_END_NAMESPACE

// Adds a reminder or changes one. The dialog works on a record of its own:
// of the caller's record it takes only the id, the add date and the owner,
// fills the rest from the form and sends that; it closes Accepted once the
// server has stored it.
class RemindAddUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RemindAddUpdateDialog(QWidget *parent = nullptr);
    ~RemindAddUpdateDialog() override;

    // Shows the record's values in the form.
    void updateView(DomainRemind &remind);
    // Writes the form into the working record; the first problem, or an empty text.
    QString validityCheck();

public slots:
    void receiveUser(DomainUser &user);
    void receiveRemind(DomainRemind &remind);
    void on_lPushButton_cancel_clicked();
    void on_PushButton_confirem_clicked();
    void on_checkBox_remindMethod_stateChanged(int arg1);

private:
    Ui::RemindAddUpdateDialog *ui;
    DomainUser *user = nullptr;
    DomainRemind remind;
    HttpRemind endpoint;
    WriteStep write{this, endpoint};
    ReminderBlock reminder;
};

#endif // REMINDADDUPDATEDIALOG_H
