#ifndef MESSAGESEARCHDIALOG_H
#define MESSAGESEARCHDIALOG_H

#include <QDialog>
#include <QString>

QT_BEGIN_NAMESPACE
namespace Ui {
class MessageSearchDialog;
}
QT_END_NAMESPACE

// Composes a search over the system messages from the switched-on criteria
// and hands the condition to the message window, which reloads behind the
// dialog; the dialog stays open for refinement.
class MessageSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MessageSearchDialog(QWidget *parent = nullptr);
    ~MessageSearchDialog() override;

    // Rebuilds the condition string from the form, keeps and returns it.
    QString getConditionStr();

signals:
    void sendConditionStr(QString &conditionStr);

private slots:
    void on_pushButton_findAll_clicked();
    void on_comboBox_grade1_currentTextChanged(const QString &arg1);
    void on_comboBox_addDate_currentTextChanged(const QString &arg1);
    void on_comboBox_showDate_currentTextChanged(const QString &arg1);
    void on_pushButton_cancel_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_confirm_clicked();
    void on_comboBox_flag1_currentTextChanged(const QString &arg1);
    void on_comboBox_showEndDate_currentTextChanged(const QString &arg1);

private:
    Ui::MessageSearchDialog *ui;
    QString conditionStr;
};

#endif // MESSAGESEARCHDIALOG_H
