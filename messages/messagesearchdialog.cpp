#include "messagesearchdialog.h"
#include "ui_messagesearchdialog.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "searchcondition.h"
#include "searchform.h"

MessageSearchDialog::MessageSearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::MessageSearchDialog)
{
    ui->setupUi(this);
    ui->lineEdit_flag2->hide();
    ui->dateEdit_addDate2->hide();
    ui->dateEdit_showDate2->hide();
    ui->dateEdit_showEndDate2->hide();
    SearchForm::fillOperators(
        {ui->comboBox_addDate, ui->comboBox_showDate, ui->comboBox_showEndDate, ui->comboBox_grade1, ui->comboBox_flag1});
    const QStringList grades{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                             QStringLiteral("5")};
    ui->comboBox_grade2->addItems(grades);
    ui->comboBox_grade3->addItems(grades);
    for (QLineEdit *edit : {ui->lineEdit_flag1, ui->lineEdit_flag2})
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^\\d+(\\.\\d+)?$")), edit));
    SearchForm::startToday({ui->dateEdit_addDate1, ui->dateEdit_addDate2, ui->dateEdit_showDate1,
                            ui->dateEdit_showDate2, ui->dateEdit_showEndDate1, ui->dateEdit_showEndDate2},
                           false);
}

MessageSearchDialog::~MessageSearchDialog()
{
    delete ui;
}

QString MessageSearchDialog::getConditionStr()
{
    SearchCondition condition;
    condition.addText(ui->checkBox_appOS, "appOS", ui->lineEdit_appOS);
    condition.addText(ui->checkBox_showSwitchStr, "showSwitchStr", ui->lineEdit_showSwitchStr);
    condition.addText(ui->checkBox_mold, "mold", ui->lineEdit_mold);
    condition.addText(ui->checkBox_message, "message", ui->lineEdit_message);
    condition.addText(ui->checkBox_comment, "comment", ui->lineEdit_comment);
    condition.addNumber(ui->checkBox_grade, "grade", ui->comboBox_grade1, ui->comboBox_grade2->currentText(),
                        ui->comboBox_grade3->currentText(), true);
    condition.addNumber(ui->checkBox_flag, "flag", ui->comboBox_flag1, ui->lineEdit_flag1->text(),
                        ui->lineEdit_flag2->text(), true);
    condition.addDate(ui->checkBox_addDate, "addDate", ui->comboBox_addDate, ui->dateEdit_addDate1,
                      ui->dateEdit_addDate2);
    condition.addDate(ui->checkBox_showDate, "showDate", ui->comboBox_showDate, ui->dateEdit_showDate1,
                      ui->dateEdit_showDate2);
    condition.addDate(ui->checkBox_showEndDate, "showEndDate", ui->comboBox_showEndDate, ui->dateEdit_showEndDate1,
                      ui->dateEdit_showEndDate2);
    conditionStr = condition.toString();
    return conditionStr;
}

void MessageSearchDialog::on_pushButton_confirm_clicked()
{
    if (SearchForm::confirm(getConditionStr()))
        emit sendConditionStr(conditionStr);
}

void MessageSearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr = QStringLiteral("");
    emit sendConditionStr(conditionStr);
    close();
}

void MessageSearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void MessageSearchDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear({ui->checkBox_appOS, ui->checkBox_showSwitchStr, ui->checkBox_mold, ui->checkBox_grade,
                       ui->checkBox_flag, ui->checkBox_addDate, ui->checkBox_showDate, ui->checkBox_showEndDate,
                       ui->checkBox_message, ui->checkBox_comment},
                      {ui->lineEdit_appOS, ui->lineEdit_showSwitchStr, ui->lineEdit_mold, ui->lineEdit_flag1,
                       ui->lineEdit_flag2, ui->lineEdit_comment, ui->lineEdit_message},
                      {ui->comboBox_flag1, ui->comboBox_grade1, ui->comboBox_grade2, ui->comboBox_addDate,
                       ui->comboBox_showDate, ui->comboBox_showEndDate});
    // The second grade goes to "2", so a range chosen next spans two grades; the dates stay as chosen.
    ui->comboBox_grade3->setCurrentIndex(1);
}

void MessageSearchDialog::on_comboBox_grade1_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->comboBox_grade3});
}

void MessageSearchDialog::on_comboBox_flag1_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->lineEdit_flag2});
}

void MessageSearchDialog::on_comboBox_addDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_addDate2});
}

void MessageSearchDialog::on_comboBox_showDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_showDate2});
}

void MessageSearchDialog::on_comboBox_showEndDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_showEndDate2});
}
