#ifndef WORKPLANSEARCHDIALOG_H
#define WORKPLANSEARCHDIALOG_H

#include <QDialog>
#include <QJsonObject>
#include <QString>

#include "domainui.h"
#include "httpworkplan.h"

class DomainUser;

QT_BEGIN_NAMESPACE
namespace Ui {
class WorkPlanSearchDialog;
}
QT_END_NAMESPACE

// The combined search of the work plans: up to twenty-seven switched-on
// criteria, a quick search by title and a page size, handed to the work-plan
// window, which lists at once; the dialog stays open for the next search.
class WorkPlanSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WorkPlanSearchDialog(QWidget *parent = nullptr);
    ~WorkPlanSearchDialog() override;

    // Rebuilds the condition string from the switched-on rows, keeps and returns it.
    QString getConditionStr();

signals:
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void receiveUser(DomainUser &user);
    void receiveDomainUi(DomainUi &domainUi);

private slots:
    void on_lineEdit_pageSize_editingFinished();
    void on_pushButton_findAll_clicked();
    void on_pushButton_find_clicked();
    void on_comboBox_registerDate_currentTextChanged(const QString &arg1);
    void on_comboBox_updateDate_currentTextChanged(const QString &arg1);
    void on_comboBox_remindDate_currentTextChanged(const QString &arg1);
    void on_comboBox_remindDateNumber_currentTextChanged(const QString &arg1);
    void on_pushButton_cancel_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_confirm_clicked();
    void on_comboBox_startDate_currentTextChanged(const QString &arg1);
    void on_comboBox_endDate_currentTextChanged(const QString &arg1);
    void on_comboBox_completionStatus1_currentTextChanged(const QString &arg1);
    void on_comboBox_score_currentTextChanged(const QString &arg1);

private:
    Ui::WorkPlanSearchDialog *ui;
    QString conditionStr;
    int grade = 0;
    int pageSize = 0;
    int totalCount = 0;
    DomainUi domainUi;
    HttpWorkPlan endpoint;
    QJsonObject request;
};

#endif // WORKPLANSEARCHDIALOG_H
