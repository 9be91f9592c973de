#ifndef USERFINDDIALOG_H
#define USERFINDDIALOG_H

#include <QDialog>
#include <QString>

QT_BEGIN_NAMESPACE
namespace Ui {
class UserFindDialog;
}
QT_END_NAMESPACE

// Composes a search over the service's users from the switched-on criteria
// and hands the condition to the user page, which reloads behind the dialog;
// the dialog stays open for refinement.
class UserFindDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UserFindDialog(QWidget *parent = nullptr);
    ~UserFindDialog() override;

    // Rebuilds the condition string from the form, keeps and returns it.
    QString getConditionStr();

signals:
    void sendConditionStr(QString &conditionStr);

private slots:
    void on_pushButton_findAll_clicked();
    void on_pushButton_cancel_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_confirm_clicked();
    void on_comboBox_grade1_currentTextChanged(const QString &arg1);
    void on_comboBox_registerDate_currentTextChanged(const QString &arg1);
    void on_comboBox_loginDate_currentTextChanged(const QString &arg1);

private:
    Ui::UserFindDialog *ui;
    QString conditionStr;
};

#endif // USERFINDDIALOG_H
