#include "userfinddialog.h"
#include "ui_userfinddialog.h"

#include "searchcondition.h"
#include "searchform.h"

UserFindDialog::UserFindDialog(QWidget *parent) : QDialog(parent), ui(new Ui::UserFindDialog)
{
    ui->setupUi(this);
    ui->comboBox_grade3->hide();
    ui->dateEdit_registerDate2->hide();
    ui->dateEdit_loginDate2->hide();
    SearchForm::fillOperators({ui->comboBox_registerDate, ui->comboBox_loginDate, ui->comboBox_grade1});
    const QStringList grades{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                             QStringLiteral("5")};
    ui->comboBox_grade2->addItems(grades);
    ui->comboBox_grade3->addItems(grades);
    SearchForm::startToday(
        {ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_loginDate1, ui->dateEdit_loginDate2});
}

UserFindDialog::~UserFindDialog()
{
    delete ui;
}

QString UserFindDialog::getConditionStr()
{
    SearchCondition condition;
    condition.addText(ui->checkBox_username, "username", ui->lineEdit_username);
    condition.addText(ui->checkBox_realName, "realName", ui->lineEdit_realName);
    condition.addText(ui->checkBox_telephone, "telephone", ui->lineEdit_telephone);
    condition.addText(ui->checkBox_comment, "comment", ui->lineEdit_comment);
    condition.addText(ui->checkBox_prohibit, "prohibit", ui->lineEdit_prohibit);
    condition.addText(ui->checkBox_prohibitCause, "prohibitCause", ui->lineEdit_prohibitCause);
    condition.addDate(ui->checkBox_1registerDate, "registerDate", ui->comboBox_registerDate,
                      ui->dateEdit_registerDate1, ui->dateEdit_registerDate2);
    condition.addDate(ui->checkBox_loginDate, "loginDate", ui->comboBox_loginDate, ui->dateEdit_loginDate1,
                      ui->dateEdit_loginDate2);
    condition.addNumber(ui->checkBox_grade, "grade", ui->comboBox_grade1, ui->comboBox_grade2->currentText(),
                        ui->comboBox_grade3->currentText(), true);
    conditionStr = condition.toString();
    return conditionStr;
}

void UserFindDialog::on_pushButton_confirm_clicked()
{
    if (SearchForm::confirm(getConditionStr(), SearchForm::Refusal::plainBox()))
        emit sendConditionStr(conditionStr);
}

void UserFindDialog::on_pushButton_findAll_clicked()
{
    conditionStr = QStringLiteral("");
    emit sendConditionStr(conditionStr);
    close();
}

void UserFindDialog::on_pushButton_cancel_clicked()
{
    close();
}

void UserFindDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear({ui->checkBox_username, ui->checkBox_realName, ui->checkBox_telephone, ui->checkBox_comment,
                       ui->checkBox_prohibit, ui->checkBox_prohibitCause, ui->checkBox_1registerDate,
                       ui->checkBox_loginDate, ui->checkBox_grade},
                      {ui->lineEdit_username, ui->lineEdit_realName, ui->lineEdit_telephone, ui->lineEdit_comment,
                       ui->lineEdit_prohibit, ui->lineEdit_prohibitCause},
                      {ui->comboBox_grade2, ui->comboBox_registerDate, ui->comboBox_loginDate});
    // The grade operator and the dates stay as chosen; the second grade goes to "2".
    ui->comboBox_grade3->setCurrentIndex(1);
}

void UserFindDialog::on_comboBox_grade1_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->comboBox_grade3});
}

void UserFindDialog::on_comboBox_registerDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_registerDate2});
}

void UserFindDialog::on_comboBox_loginDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_loginDate2});
}
