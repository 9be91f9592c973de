#ifndef WORKPLANADDUPDATEDIALOG_H
#define WORKPLANADDUPDATEDIALOG_H

#include <QDialog>
#include <QJsonObject>
#include <QString>

#include "dworkplan.h"
#include "httpworkplan.h"
#include "reminderblock.h"
#include "writestep.h"

class DomainUser;
class QDate;

QT_BEGIN_NAMESPACE
namespace Ui {
class WorkPlanAddUpdateDialog;
}
QT_END_NAMESPACE

// Adds a work plan, or changes one picked from the plan tree: kind, state,
// tag (one of the user's or a new one), dates, the seven plan sections,
// completion, score and the reminder. The caller's plan takes the changes
// only once the server stored them; the dialog then ends Accepted.
class WorkPlanAddUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WorkPlanAddUpdateDialog(QWidget *parent = nullptr);
    ~WorkPlanAddUpdateDialog() override;

    // Checks the form and copies it into the plan being written; the first
    // problem's message, or an empty text.
    QString validityCheck();
    // Shows the plan in the form.
    void updateView(DWorkPlan &workPlan);

public slots:
    void receiveUser(DomainUser &user);
    void receiveWorkPlan(DWorkPlan &workPlan);

private slots:
    void on_comboBox_isRemind_currentTextChanged(const QString &arg1);
    void on_checkBox_remindMethod_stateChanged(int arg1);
    void on_lineEdit_remindMethodBody_editingFinished();
    void on_dateEdit_startDate_userDateChanged(const QDate &date);
    void on_PushButton_confirem_clicked();
    void on_lPushButton_cancel_clicked();

private:
    Ui::WorkPlanAddUpdateDialog *ui;
    DomainUser *user = nullptr;
    // The plan of the dialog: its own new one, or the caller's.
    DWorkPlan *workPlan = nullptr;
    // What the confirm writes: a copy of workPlan with the form's values.
    DWorkPlan edited;
    // What the form showed of the values it cannot hold exactly (a serial
    // number or score above 99, a completion with decimals): left as they
    // were shown, the stored values are written back unchanged.
    int shownSerialNumber = 0;
    int shownScore = 0;
    QString shownCompletion;
    QJsonObject json;
    HttpWorkPlan httpWorkPlan;
    WriteStep write{this, httpWorkPlan};
    ReminderBlock reminder;
};

#endif // WORKPLANADDUPDATEDIALOG_H
