#include "remindsearchdialog.h"
#include "ui_remindsearchdialog.h"

#include <QIntValidator>

#include "conditionbuilder.h"
#include "searchcondition.h"
#include "searchform.h"

RemindSearchDialog::RemindSearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::RemindSearchDialog)
{
    ui->setupUi(this);
    SearchForm::setUpPageSize(ui->lineEdit_pageSize);
    ui->lineEdit_remindDateNumber1->setValidator(new QIntValidator(ui->lineEdit_remindDateNumber1));
    ui->lineEdit_remindDateNumber2->setValidator(new QIntValidator(ui->lineEdit_remindDateNumber2));
    ui->dateEdit_registerDate2->hide();
    ui->dateEdit_updateDate2->hide();
    ui->dateEdit_remindDate2->hide();
    ui->lineEdit_remindDateNumber2->hide();
    SearchForm::fillOperators(
        {ui->comboBox_registerDate, ui->comboBox_updateDate, ui->comboBox_remindDate, ui->comboBox_remindDateNumber});
    SearchForm::startToday({ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1,
                            ui->dateEdit_updateDate2, ui->dateEdit_remindDate1, ui->dateEdit_remindDate2});
    ui->lineEdit_remindDateNumber1->setText(QStringLiteral("0"));
    ui->lineEdit_remindDateNumber2->setText(QStringLiteral("0"));
    ui->comboBox_isRemind->addItems({QStringLiteral("开启"), QStringLiteral("关闭")});
    ui->comboBox_mold->addItems(
        {QStringLiteral("事件"), QStringLiteral("生日"), QStringLiteral("缴费"), QStringLiteral("其它")});
    domainUi.setCurPage(1);
}

RemindSearchDialog::~RemindSearchDialog()
{
    delete ui;
}

void RemindSearchDialog::receiveGrade(int grade)
{
    SearchForm::hideOwnerRow(grade, ui->horizontalLayout_loginName);
}

void RemindSearchDialog::receiveDomainUi(DomainUi &domainUi)
{
    ui->lineEdit_pageSize->setText(QString::number(domainUi.getPageSize()));
}

QString RemindSearchDialog::getConditionStr()
{
    SearchCondition condition;
    condition.addChoice(ui->checkBox_isRemind, QStringLiteral("isRemind"), ui->comboBox_isRemind);
    condition.addChoice(ui->checkBox_mold, QStringLiteral("mold"), ui->comboBox_mold);
    condition.addText(ui->checkBox_title, QStringLiteral("title"), ui->lineEdit_title);
    condition.addText(ui->checkBox_content, QStringLiteral("content"), ui->lineEdit_content);
    condition.addText(ui->checkBox_address, QStringLiteral("address"), ui->lineEdit_address);
    condition.addText(ui->checkBox_remindMethod, QStringLiteral("remindMethod"), ui->lineEdit_remindMethod);
    condition.addText(ui->checkBox_remindMethodBody, QStringLiteral("remindMethodBody"),
                      ui->lineEdit_remindMethodBody);
    condition.addText(ui->checkBox_comment, QStringLiteral("comment"), ui->lineEdit_comment);
    condition.addText(ui->checkBox_loginName, QStringLiteral("loginName"), ui->lineEdit_loginName);
    condition.addDate(ui->checkBox_registerDate, QStringLiteral("registerDate"), ui->comboBox_registerDate,
                      ui->dateEdit_registerDate1, ui->dateEdit_registerDate2);
    condition.addDate(ui->checkBox_updateDate, QStringLiteral("updateDate"), ui->comboBox_updateDate,
                      ui->dateEdit_updateDate1, ui->dateEdit_updateDate2);
    condition.addDate(ui->checkBox_remindDate, QStringLiteral("remindDate"), ui->comboBox_remindDate,
                      ui->dateEdit_remindDate1, ui->dateEdit_remindDate2);
    condition.addNumber(ui->checkBox_remindDateNumber, QStringLiteral("remindDateNumber"),
                        ui->comboBox_remindDateNumber, ui->lineEdit_remindDateNumber1->text(),
                        ui->lineEdit_remindDateNumber2->text());
    conditionStr = condition.toString();
    return conditionStr;
}

void RemindSearchDialog::on_pushButton_confirm_clicked()
{
    if (SearchForm::confirm(getConditionStr(), ui->lineEdit_pageSize, domainUi))
        emit sendDomainUi(domainUi);
}

void RemindSearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr = ConditionBuilder::matchAll();
    if (SearchForm::findAll(this, conditionStr, ui->lineEdit_pageSize, domainUi)) {
        emit sendDomainUi(domainUi);
        close();
    }
}

void RemindSearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void RemindSearchDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear({ui->checkBox_isRemind, ui->checkBox_mold, ui->checkBox_title, ui->checkBox_content,
                       ui->checkBox_address, ui->checkBox_registerDate, ui->checkBox_updateDate,
                       ui->checkBox_remindDate, ui->checkBox_remindMethod, ui->checkBox_remindMethodBody,
                       ui->checkBox_remindDateNumber, ui->checkBox_comment, ui->checkBox_loginName},
                      {ui->lineEdit_title, ui->lineEdit_content, ui->lineEdit_address, ui->lineEdit_remindMethod,
                       ui->lineEdit_remindMethodBody, ui->lineEdit_comment, ui->lineEdit_loginName},
                      {ui->comboBox_isRemind, ui->comboBox_mold, ui->comboBox_registerDate, ui->comboBox_updateDate,
                       ui->comboBox_remindDate, ui->comboBox_remindDateNumber},
                      {ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1,
                       ui->dateEdit_updateDate2, ui->dateEdit_remindDate1, ui->dateEdit_remindDate2});
    ui->lineEdit_remindDateNumber1->setText(QStringLiteral("0"));
    ui->lineEdit_remindDateNumber2->setText(QStringLiteral("0"));
}

void RemindSearchDialog::on_comboBox_registerDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_registerDate2});
}

void RemindSearchDialog::on_comboBox_updateDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_updateDate2});
}

void RemindSearchDialog::on_comboBox_remindDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_remindDate2});
}

void RemindSearchDialog::on_comboBox_remindDateNumber_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->lineEdit_remindDateNumber2, ui->label_remindDateNumber});
}
