#ifndef REMINDSEARCHDIALOG_H
#define REMINDSEARCHDIALOG_H

#include <QDialog>
#include <QString>

#include "domainui.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class RemindSearchDialog;
}
QT_END_NAMESPACE

// Composes a search over the reminders from the switched-on criteria and
// hands it, with a page size, to the reminder window, which reloads behind
// the dialog; the dialog stays open for the next search.
class RemindSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RemindSearchDialog(QWidget *parent = nullptr);
    ~RemindSearchDialog() override;

    // Rebuilds the condition string from the form, keeps and returns it.
    QString getConditionStr();

signals:
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void on_pushButton_findAll_clicked();
    void on_pushButton_cancel_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_confirm_clicked();
    void on_comboBox_registerDate_currentTextChanged(const QString &arg1);
    void on_comboBox_updateDate_currentTextChanged(const QString &arg1);
    void on_comboBox_remindDate_currentTextChanged(const QString &arg1);
    void on_comboBox_remindDateNumber_currentTextChanged(const QString &arg1);
    void receiveGrade(int grade);
    void receiveDomainUi(DomainUi &domainUi);

private:
    Ui::RemindSearchDialog *ui;
    QString conditionStr;
    DomainUi domainUi;
};

#endif // REMINDSEARCHDIALOG_H
