#include "workplansearchdialog.h"
#include "ui_workplansearchdialog.h"

#include <QIntValidator>

#include "conditionbuilder.h"
#include "domainuser.h"
#include "plantags.h"
#include "searchcondition.h"
#include "searchform.h"

WorkPlanSearchDialog::WorkPlanSearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::WorkPlanSearchDialog)
{
    ui->setupUi(this);
    SearchForm::setUpPageSize(ui->lineEdit_pageSize);
    ui->lineEdit_remindDateNumber1->setValidator(new QIntValidator(ui->lineEdit_remindDateNumber1));
    ui->lineEdit_remindDateNumber2->setValidator(new QIntValidator(ui->lineEdit_remindDateNumber2));

    const std::initializer_list<QWidget *> secondValues{
        ui->dateEdit_registerDate2, ui->dateEdit_updateDate2, ui->dateEdit_startDate2, ui->dateEdit_endDate2,
        ui->dateEdit_remindDate2, ui->lineEdit_remindDateNumber2, ui->label_remindDateNumber,
        ui->spinBox_completionStatus2, ui->label_completionStatus, ui->spinBox_score2, ui->label_score2};
    for (QWidget *second : secondValues)
        second->hide();
    SearchForm::fillOperators({ui->comboBox_registerDate, ui->comboBox_updateDate, ui->comboBox_remindDate,
                               ui->comboBox_startDate, ui->comboBox_endDate, ui->comboBox_remindDateNumber,
                               ui->comboBox_completionStatus1, ui->comboBox_score});
    SearchForm::startToday({ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1,
                            ui->dateEdit_updateDate2, ui->dateEdit_remindDate1, ui->dateEdit_remindDate2,
                            ui->dateEdit_startDate1, ui->dateEdit_startDate2, ui->dateEdit_endDate1,
                            ui->dateEdit_endDate2});
    ui->lineEdit_remindDateNumber1->setText(QStringLiteral("0"));
    ui->lineEdit_remindDateNumber2->setText(QStringLiteral("0"));

    ui->comboBox_isRemind->addItems({QStringLiteral("开启"), QStringLiteral("关闭")});
    ui->comboBox_isShow->addItems({QStringLiteral("正常"), QStringLiteral("放弃"), QStringLiteral("完成")});
    ui->comboBox_image->addItems({QStringLiteral("有图"), QStringLiteral("无图")});
    ui->comboBox_remindMethod->addItems({QStringLiteral("邮件"), QStringLiteral("无")});
    ui->comboBox_mold->addItems({QStringLiteral("年度计划"), QStringLiteral("季度计划"), QStringLiteral("月计划"),
                                 QStringLiteral("周计划"), QStringLiteral("日计划"), QStringLiteral("其它")});
    ui->comboBox_remindFrequency->addItems({QStringLiteral("无邮件提醒"), QStringLiteral("到前置期邮件提醒"),
                                            QStringLiteral("每日邮件提醒"), QStringLiteral("每周邮件提醒"),
                                            QStringLiteral("每月邮件提醒")});
    domainUi.setCurPage(1);
}

WorkPlanSearchDialog::~WorkPlanSearchDialog()
{
    delete ui;
}

void WorkPlanSearchDialog::receiveUser(DomainUser &user)
{
    grade = user.getGrade();
    SearchForm::hideOwnerRow(grade, ui->horizontalLayout_loginName);
    PlanTags::load(endpoint, request, user.getUsername(), ui->comboBox_tag);
}

void WorkPlanSearchDialog::receiveDomainUi(DomainUi &window)
{
    pageSize = window.getPageSize();
    totalCount = window.getTotalCount();
    ui->lineEdit_pageSize->setText(QString::number(pageSize));
}

QString WorkPlanSearchDialog::getConditionStr()
{
    SearchCondition c;
    c.addChoice(ui->checkBox_mold, "mold", ui->comboBox_mold, true);
    c.addChoice(ui->checkBox_isShow, "isShow", ui->comboBox_isShow);
    c.addChoice(ui->checkBox_tag, "tag", ui->comboBox_tag);
    c.addText(ui->checkBox_title, "title", ui->lineEdit_title, true);
    c.addText(ui->checkBox_target, "target", ui->lineEdit_target, true);
    c.addText(ui->checkBox_gainProfit, "gainProfit", ui->lineEdit_gainProfit, true);
    c.addDate(ui->checkBox_startDate, "startDate", ui->comboBox_startDate, ui->dateEdit_startDate1,
              ui->dateEdit_startDate2, true);
    c.addDate(ui->checkBox_endDate, "endDate", ui->comboBox_endDate, ui->dateEdit_endDate1, ui->dateEdit_endDate2,
              true);
    c.addText(ui->checkBox_strategy, "strategy", ui->lineEdit_strategy, true);
    c.addText(ui->checkBox_measurableIndicator, "measurableIndicator", ui->lineEdit_measurableIndicator, true);
    c.addText(ui->checkBox_actionPlan, "actionPlan", ui->lineEdit_actionPlan, true);
    c.addText(ui->checkBox_needResources, "needResources", ui->lineEdit_needResources, true);
    c.addText(ui->checkBox_difficulty, "difficulty", ui->lineEdit_difficulty, true);
    c.addNumber(ui->checkBox_completionStatus, "completionStatus", ui->comboBox_completionStatus1,
                QString::number(ui->spinBox_completionStatus1->value()),
                QString::number(ui->spinBox_completionStatus2->value()), true);
    c.addNumber(ui->checkBox_score, "score", ui->comboBox_score, QString::number(ui->spinBox_score1->value()),
                QString::number(ui->spinBox_score2->value()), true);
    c.addText(ui->checkBox_auditor, "auditor", ui->lineEdit_auditor, true);
    c.addDate(ui->checkBox_registerDate, "registerDate", ui->comboBox_registerDate, ui->dateEdit_registerDate1,
              ui->dateEdit_registerDate2, true);
    c.addDate(ui->checkBox_updateDate, "updateDate", ui->comboBox_updateDate, ui->dateEdit_updateDate1,
              ui->dateEdit_updateDate2, true);
    c.addChoice(ui->checkBox_isRemind, "isRemind", ui->comboBox_isRemind, true);
    c.add(ui->checkBox_remindMethod,
          ConditionBuilder::presence("remindMethod", ui->comboBox_remindMethod->currentIndex() == 0,
                                     ConditionBuilder::Absent::WideIs));
    c.addText(ui->checkBox_remindMethodBody, "remindMethodBody", ui->lineEdit_remindMethodBody, true);
    c.add(ui->checkBox_remindFrequency,
          ui->comboBox_remindFrequency->currentIndex() == 0
              ? ConditionBuilder::presence("remindFrequency", false, ConditionBuilder::Absent::TightEquals)
              : ConditionBuilder::like("remindFrequency", ui->comboBox_remindFrequency->currentText(), true));
    c.addDate(ui->checkBox_remindDate, "remindDate", ui->comboBox_remindDate, ui->dateEdit_remindDate1,
              ui->dateEdit_remindDate2, true);
    c.addNumber(ui->checkBox_remindDateNumber, "remindDate IS NOT NULL and remindDateNumber",
                ui->comboBox_remindDateNumber, ui->lineEdit_remindDateNumber1->text(),
                ui->lineEdit_remindDateNumber2->text(), true);
    c.add(ui->checkBox_image, ConditionBuilder::presence("image", ui->comboBox_image->currentIndex() == 0));
    c.addText(ui->checkBox_comment, "comment", ui->lineEdit_comment, true);
    c.addText(ui->checkBox_loginName, "loginName", ui->lineEdit_loginName, true);
    conditionStr = c.toString();
    return conditionStr;
}

void WorkPlanSearchDialog::on_lineEdit_pageSize_editingFinished()
{
    SearchForm::pageSizeLeft(this, ui->lineEdit_pageSize);
}

void WorkPlanSearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr = ConditionBuilder::matchAll();
    if (SearchForm::findAll(this, conditionStr, ui->lineEdit_pageSize, domainUi)) {
        emit sendDomainUi(domainUi);
        close();
    }
}

void WorkPlanSearchDialog::on_pushButton_find_clicked()
{
    if (SearchForm::quickSearch(ui->checkBox_title, QStringLiteral("title"), ui->lineEdit_title, ui->lineEdit_pageSize,
                                domainUi, QMessageBox::Ok))
        emit sendDomainUi(domainUi);
}

void WorkPlanSearchDialog::on_pushButton_confirm_clicked()
{
    if (SearchForm::confirm(getConditionStr(), ui->lineEdit_pageSize, domainUi))
        emit sendDomainUi(domainUi);
}

void WorkPlanSearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void WorkPlanSearchDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear(
        {ui->checkBox_mold, ui->checkBox_isShow, ui->checkBox_tag, ui->checkBox_title, ui->checkBox_target,
         ui->checkBox_gainProfit, ui->checkBox_startDate, ui->checkBox_endDate, ui->checkBox_strategy,
         ui->checkBox_measurableIndicator, ui->checkBox_actionPlan, ui->checkBox_needResources,
         ui->checkBox_difficulty, ui->checkBox_completionStatus, ui->checkBox_score, ui->checkBox_auditor,
         ui->checkBox_registerDate, ui->checkBox_updateDate, ui->checkBox_isRemind, ui->checkBox_remindMethod,
         ui->checkBox_remindMethodBody, ui->checkBox_remindFrequency, ui->checkBox_remindDate,
         ui->checkBox_remindDateNumber, ui->checkBox_image, ui->checkBox_comment, ui->checkBox_loginName},
        {ui->lineEdit_title, ui->lineEdit_target, ui->lineEdit_gainProfit, ui->lineEdit_strategy,
         ui->lineEdit_measurableIndicator, ui->lineEdit_actionPlan, ui->lineEdit_needResources,
         ui->lineEdit_difficulty, ui->lineEdit_auditor, ui->lineEdit_remindMethodBody, ui->lineEdit_comment,
         ui->lineEdit_loginName},
        {ui->comboBox_mold, ui->comboBox_isShow, ui->comboBox_startDate, ui->comboBox_endDate,
         ui->comboBox_completionStatus1, ui->comboBox_score, ui->comboBox_registerDate, ui->comboBox_updateDate,
         ui->comboBox_remindDate, ui->comboBox_remindDateNumber, ui->comboBox_isRemind, ui->comboBox_remindMethod,
         ui->comboBox_remindFrequency, ui->comboBox_image},
        {ui->dateEdit_startDate1, ui->dateEdit_startDate2, ui->dateEdit_endDate1, ui->dateEdit_endDate2,
         ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1, ui->dateEdit_updateDate2,
         ui->dateEdit_remindDate1, ui->dateEdit_remindDate2});
    ui->comboBox_tag->setCurrentText(QString());
    for (QSpinBox *spin : {ui->spinBox_completionStatus1, ui->spinBox_completionStatus2, ui->spinBox_score1,
                           ui->spinBox_score2})
        spin->setValue(0);
    ui->lineEdit_remindDateNumber1->setText(QStringLiteral("0"));
    ui->lineEdit_remindDateNumber2->setText(QStringLiteral("0"));
}

void WorkPlanSearchDialog::on_comboBox_startDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_startDate2});
}

void WorkPlanSearchDialog::on_comboBox_endDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_endDate2});
}

void WorkPlanSearchDialog::on_comboBox_registerDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_registerDate2});
}

void WorkPlanSearchDialog::on_comboBox_updateDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_updateDate2});
}

void WorkPlanSearchDialog::on_comboBox_remindDate_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->dateEdit_remindDate2});
}

void WorkPlanSearchDialog::on_comboBox_completionStatus1_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->spinBox_completionStatus2, ui->label_completionStatus});
}

void WorkPlanSearchDialog::on_comboBox_score_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->spinBox_score2, ui->label_score2});
}

void WorkPlanSearchDialog::on_comboBox_remindDateNumber_currentTextChanged(const QString &arg1)
{
    SearchForm::showSecondValue(arg1, {ui->lineEdit_remindDateNumber2, ui->label_remindDateNumber});
}
