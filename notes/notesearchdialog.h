#ifndef NOTESEARCHDIALOG_H
#define NOTESEARCHDIALOG_H

#include <QDialog>
#include <QString>

#include "domainui.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class NoteSearchDialog;
}
QT_END_NAMESPACE

// Composes a search over the notes from switched-on criteria and hands it,
// with a page size, to the notes window; stays open for the next search.
// Also offers every note ("查询全部") and a quick search in the content ("查找").
class NoteSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NoteSearchDialog(QWidget *parent = nullptr);
    ~NoteSearchDialog() override;

    // Rebuilds the condition string from the form, keeps and returns it.
    QString getConditionStr();

signals:
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void receiveGrade(int grade);
    void receiveDomainUi(DomainUi &domainUi);

private slots:
    void on_lineEdit_pageSize_editingFinished();
    void on_pushButton_findAll_clicked();
    void on_pushButton_find_clicked();
    void on_pushButton_confirm_clicked();
    void on_pushButton_clear_clicked();
    void on_pushButton_cancel_clicked();
    void on_comboBox_grade_currentTextChanged(const QString &text);
    void on_comboBox_registerDate_currentTextChanged(const QString &text);
    void on_comboBox_updateDate_currentTextChanged(const QString &text);
    void on_comboBox_remindDate_currentTextChanged(const QString &text);
    void on_comboBox_remindDateNumber_currentTextChanged(const QString &text);

private:
    Ui::NoteSearchDialog *ui;
    QString conditionStr;
    int grade = 0;
    int pageSize = 0;
    int totalCount = 0;
    DomainUi domainUi;
};

#endif // NOTESEARCHDIALOG_H
