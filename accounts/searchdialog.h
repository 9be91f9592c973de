#ifndef SEARCHDIALOG_H
#define SEARCHDIALOG_H

#include <QDialog>
#include <QString>

#include "domainui.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SearchDialog;
}
QT_END_NAMESPACE

// Composes a search over the web accounts from switched-on criteria and hands
// it, with a page size, to the account window; stays open for refinement.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SearchDialog(QWidget *parent = nullptr);
    ~SearchDialog() override;

    // Rebuilds the condition string from the form, keeps and returns it.
    QString getConditionStr();

signals:
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void receiveGrade(int grade);
    void receiveDomainUi(DomainUi &domainUi);

private slots:
    void on_pushButton_confirm_clicked();
    void on_pushButton_findAll_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_cancel_clicked();
    void on_comboBox_registerDate_currentTextChanged(const QString &text);
    void on_comboBox_updateDate_currentTextChanged(const QString &text);

private:
    Ui::SearchDialog *ui;
    QString conditionStr;
    int grade = 0;
    int pageSize = 0;
    DomainUi domainUi;
};

#endif // SEARCHDIALOG_H
