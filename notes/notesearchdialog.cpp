#include "notesearchdialog.h"
#include "ui_notesearchdialog.h"

#include <QIntValidator>

#include "conditionbuilder.h"
#include "searchcondition.h"
#include "searchform.h"

NoteSearchDialog::NoteSearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::NoteSearchDialog)
{
    ui->setupUi(this);
    SearchForm::setUpPageSize(ui->lineEdit_pageSize);
    for (QLineEdit *days : {ui->lineEdit_remindDateNumber1, ui->lineEdit_remindDateNumber2}) {
        days->setValidator(new QIntValidator(days));
        days->setText(QStringLiteral("0"));
    }
    SearchForm::startToday({ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1,
                            ui->dateEdit_updateDate2, ui->dateEdit_remindDate1, ui->dateEdit_remindDate2});

    ui->comboBox_mold->addItems({QStringLiteral("日常生活"), QStringLiteral("有感而发"), QStringLiteral("读书笔记"),
                                 QStringLiteral("工作笔记"), QStringLiteral("学习笔记"), QStringLiteral("指导笔记"),
                                 QStringLiteral("其它")});
    ui->comboBox_isShow->addItems({QStringLiteral("展示"), QStringLiteral("关闭"), QStringLiteral("全部")});
    ui->comboBox_image->addItems({QStringLiteral("有图"), QStringLiteral("无图")});
    ui->comboBox_volume->addItems({QStringLiteral("有声"), QStringLiteral("无声")});
    ui->comboBox_attachedFile->addItems({QStringLiteral("有附件"), QStringLiteral("无附件")});
    // Filling an operator combo hides its row's second value.
    SearchForm::fillOperators({ui->comboBox_grade, ui->comboBox_registerDate, ui->comboBox_updateDate,
                               ui->comboBox_remindDate, ui->comboBox_remindDateNumber});
    for (QComboBox *grades : {ui->comboBox_grade1, ui->comboBox_grade2})
        grades->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                          QStringLiteral("5")});
    ui->comboBox_isRemind->addItems({QStringLiteral("开启"), QStringLiteral("关闭"), QStringLiteral("全部")});
    ui->comboBox_remindMethod->addItems({QStringLiteral("邮件"), QStringLiteral("无")});
    ui->comboBox_remindFrequency->addItems({QStringLiteral("无邮件提醒"), QStringLiteral("到前置期邮件提醒"),
                                            QStringLiteral("每日邮件提醒"), QStringLiteral("每周邮件提醒"),
                                            QStringLiteral("每月邮件提醒")});
    domainUi.setCurPage(1);
}

NoteSearchDialog::~NoteSearchDialog()
{
    delete ui;
}

void NoteSearchDialog::receiveGrade(int grade)
{
    this->grade = grade;
    SearchForm::hideOwnerRow(grade, ui->horizontalLayout_loginName);
}

void NoteSearchDialog::receiveDomainUi(DomainUi &window)
{
    pageSize = window.getPageSize();
    totalCount = window.getTotalCount();
    ui->lineEdit_pageSize->setText(QString::number(pageSize));
}

QString NoteSearchDialog::getConditionStr()
{
    using C = ConditionBuilder;
    SearchCondition c;
    c.add(ui->checkBox_isShow, ui->comboBox_isShow->currentIndex() == 2
                                   ? C::notNull(QStringLiteral("isShow"))
                                   : C::like(QStringLiteral("isShow"), ui->comboBox_isShow->currentText()));
    c.add(ui->checkBox_image, C::presence(QStringLiteral("image"), ui->comboBox_image->currentIndex() == 0));
    c.add(ui->checkBox_volume, C::presence(QStringLiteral("volume"), ui->comboBox_volume->currentIndex() == 0));
    c.add(ui->checkBox_attachedFile,
          C::presence(QStringLiteral("attachedFile"), ui->comboBox_attachedFile->currentIndex() == 0));
    c.addNumber(ui->checkBox_grade, QStringLiteral("grade"), ui->comboBox_grade, ui->comboBox_grade1->currentText(),
                ui->comboBox_grade2->currentText(), true);
    c.add(ui->checkBox_remindFrequency,
          ui->comboBox_remindFrequency->currentIndex() == 0
              ? C::presence(QStringLiteral("remindFrequency"), false, C::Absent::TightEquals)
              : C::like(QStringLiteral("remindFrequency"), ui->comboBox_remindFrequency->currentText(), true));
    c.add(ui->checkBox_isRemind, ui->comboBox_isRemind->currentIndex() == 2
                                     ? C::notNull(QStringLiteral("isRemind"))
                                     : C::like(QStringLiteral("isRemind"), ui->comboBox_isRemind->currentText(), true));
    c.addChoice(ui->checkBox_mold, QStringLiteral("mold"), ui->comboBox_mold, true);
    c.addText(ui->checkBox_title, QStringLiteral("title"), ui->lineEdit_title, true);
    c.addText(ui->checkBox_content, QStringLiteral("content"), ui->lineEdit_content, true);
    c.addText(ui->checkBox_address, QStringLiteral("address"), ui->lineEdit_address, true);
    c.add(ui->checkBox_remindMethod, C::presence(QStringLiteral("remindMethod"),
                                                 ui->comboBox_remindMethod->currentIndex() == 0, C::Absent::WideIs));
    c.addText(ui->checkBox_remindMethodBody, QStringLiteral("remindMethodBody"), ui->lineEdit_remindMethodBody, true);
    c.addText(ui->checkBox_comment, QStringLiteral("comment"), ui->lineEdit_comment, true);
    c.addText(ui->checkBox_loginName, QStringLiteral("loginName"), ui->lineEdit_loginName, true);
    c.addDate(ui->checkBox_registerDate, QStringLiteral("registerDate"), ui->comboBox_registerDate,
              ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, true);
    c.addDate(ui->checkBox_updateDate, QStringLiteral("updateDate"), ui->comboBox_updateDate, ui->dateEdit_updateDate1,
              ui->dateEdit_updateDate2, true);
    c.addDate(ui->checkBox_remindDate, QStringLiteral("remindDate"), ui->comboBox_remindDate, ui->dateEdit_remindDate1,
              ui->dateEdit_remindDate2, true);
    c.addNumber(ui->checkBox_remindDateNumber, QStringLiteral("remindDate IS NOT NULL and remindDateNumber"),
                ui->comboBox_remindDateNumber, ui->lineEdit_remindDateNumber1->text(),
                ui->lineEdit_remindDateNumber2->text(), true);
    conditionStr = c.toString();
    return conditionStr;
}

void NoteSearchDialog::on_pushButton_confirm_clicked()
{
    if (SearchForm::confirm(getConditionStr(), ui->lineEdit_pageSize, domainUi))
        emit sendDomainUi(domainUi);
}

void NoteSearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr = ConditionBuilder::matchAll();
    if (SearchForm::findAll(this, conditionStr, ui->lineEdit_pageSize, domainUi)) {
        emit sendDomainUi(domainUi);
        close();
    }
}

void NoteSearchDialog::on_pushButton_find_clicked()
{
    if (SearchForm::quickSearch(ui->checkBox_content, QStringLiteral("content"), ui->lineEdit_content,
                                ui->lineEdit_pageSize, domainUi))
        emit sendDomainUi(domainUi);
}

void NoteSearchDialog::on_lineEdit_pageSize_editingFinished()
{
    SearchForm::pageSizeLeft(this, ui->lineEdit_pageSize);
}

void NoteSearchDialog::on_pushButton_clear_clicked()
{
    SearchForm::clear({ui->checkBox_isShow, ui->checkBox_image, ui->checkBox_volume, ui->checkBox_attachedFile,
                       ui->checkBox_grade, ui->checkBox_remindFrequency, ui->checkBox_isRemind, ui->checkBox_mold,
                       ui->checkBox_title, ui->checkBox_content, ui->checkBox_address, ui->checkBox_remindMethod,
                       ui->checkBox_remindMethodBody, ui->checkBox_comment, ui->checkBox_loginName,
                       ui->checkBox_registerDate, ui->checkBox_updateDate, ui->checkBox_remindDate,
                       ui->checkBox_remindDateNumber},
                      {ui->lineEdit_title, ui->lineEdit_content, ui->lineEdit_address, ui->lineEdit_remindMethodBody,
                       ui->lineEdit_comment, ui->lineEdit_loginName},
                      {ui->comboBox_isShow, ui->comboBox_image, ui->comboBox_volume, ui->comboBox_attachedFile,
                       ui->comboBox_grade, ui->comboBox_grade1, ui->comboBox_grade2, ui->comboBox_remindFrequency,
                       ui->comboBox_isRemind, ui->comboBox_mold, ui->comboBox_registerDate, ui->comboBox_updateDate,
                       ui->comboBox_remindDate, ui->comboBox_remindMethod, ui->comboBox_remindDateNumber},
                      {ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate1,
                       ui->dateEdit_updateDate2, ui->dateEdit_remindDate1, ui->dateEdit_remindDate2});
    ui->lineEdit_remindDateNumber1->setText(QStringLiteral("0"));
    ui->lineEdit_remindDateNumber2->setText(QStringLiteral("0"));
}

void NoteSearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void NoteSearchDialog::on_comboBox_grade_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->label_grade, ui->comboBox_grade2});
}

void NoteSearchDialog::on_comboBox_registerDate_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->dateEdit_registerDate2});
}

void NoteSearchDialog::on_comboBox_updateDate_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->dateEdit_updateDate2});
}

void NoteSearchDialog::on_comboBox_remindDate_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->dateEdit_remindDate2});
}

void NoteSearchDialog::on_comboBox_remindDateNumber_currentTextChanged(const QString &text)
{
    SearchForm::showSecondValue(text, {ui->label_remindDateNumber, ui->lineEdit_remindDateNumber2});
}
