#include "searchdialog.h"
#include "ui_searchdialog.h"

#include "searchcondition.h"
#include "searchform.h"

SearchDialog::SearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::SearchDialog)
{
    ui->setupUi(this);
    SearchForm::setUpPageSize(ui->lineEdit_pageSize);
    ui->dateEdit_registerDate2->hide();
    ui->dateEdit_updateDate_2->hide();
    SearchForm::fillOperators({ui->comboBox_registerDate, ui->comboBox_updateDate});
    SearchForm::startToday({ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate,
                            ui->dateEdit_updateDate_2});
    domainUi.setCurPage(1);
}

SearchDialog::~SearchDialog()
{
    delete ui;
}

void SearchDialog::receiveGrade(int grade)
{
    this->grade = grade;
    SearchForm::hideOwnerRow(grade, ui->horizontalLayout_loginName);
}

void SearchDialog::receiveDomainUi(DomainUi &window)
{
    pageSize = window.getPageSize();
    ui->lineEdit_pageSize->setText(QString::number(pageSize));
}

QString SearchDialog::getConditionStr()
{
    SearchCondition condition;
    condition.addText(ui->checkBox_accountName, "accountName", ui->lineEdit_accountName);
    condition.addText(ui->checkBox_username, "username", ui->lineEdit_username);
    condition.addText(ui->checkBox_userRealName, "userRealName", ui->lineEdit_userRealName);
    condition.addText(ui->checkBox_eMail, "eMail", ui->lineEdit_eMail);
    condition.addText(ui->checkBox_telephone, "telephone", ui->lineEdit_telephone);
    condition.addText(ui->checkBox_information1, "information1", ui->lineEdit_information1);
    condition.addText(ui->checkBox_information2, "information2", ui->lineEdit_information2);
    condition.addText(ui->checkBox_comment, "comment", ui->lineEdit_comment);
    condition.addText(ui->checkBox_loginName, "loginName", ui->lineEdit_loginName);
    condition.addDate(ui->checkBox_1registerDate, "registerDate", ui->comboBox_registerDate,
                      ui->dateEdit_registerDate1, ui->dateEdit_registerDate2);
    condition.addDate(ui->checkBox_updateDate, "updateDate", ui->comboBox_updateDate, ui->dateEdit_updateDate,
                      ui->dateEdit_updateDate_2);
    conditionStr = condition.toString();
    return conditionStr;
}

void SearchDialog::on_pushButton_confirm_clicked()
{
    const SearchForm::Refusal refusal(QStringLiteral("请选择左侧查询开关,并填写查询条件"), QStringLiteral("提示"));
    if (SearchForm::confirm(getConditionStr(), ui->lineEdit_pageSize, domainUi, refusal))
        emit sendDomainUi(domainUi);
}

void SearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr.clear();
    if (SearchForm::findAll(this, conditionStr, ui->lineEdit_pageSize, domainUi)) {
        emit sendDomainUi(domainUi);
        close();
    }
}

void SearchDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear({ui->checkBox_accountName, ui->checkBox_loginName, ui->checkBox_userRealName, ui->checkBox_eMail,
                       ui->checkBox_telephone, ui->checkBox_information1, ui->checkBox_information2,
                       ui->checkBox_comment, ui->checkBox_username, ui->checkBox_updateDate,
                       ui->checkBox_1registerDate},
                      {ui->lineEdit_accountName, ui->lineEdit_loginName, ui->lineEdit_userRealName, ui->lineEdit_eMail,
                       ui->lineEdit_telephone, ui->lineEdit_information1, ui->lineEdit_information2,
                       ui->lineEdit_comment, ui->lineEdit_username},
                      {ui->comboBox_registerDate, ui->comboBox_updateDate});
}

void SearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void SearchDialog::on_comboBox_registerDate_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->dateEdit_registerDate2});
}

void SearchDialog::on_comboBox_updateDate_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->dateEdit_updateDate_2});
}
