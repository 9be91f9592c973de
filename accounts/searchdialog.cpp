#include "searchdialog.h"
#include "ui_searchdialog.h"

#include <QCheckBox>
#include <QDate>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>

#include "conditionbuilder.h"
#include "noticebox.h"

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
}

SearchDialog::SearchDialog(QWidget *parent) : QDialog(parent), ui(new Ui::SearchDialog)
{
    ui->setupUi(this);
    ui->lineEdit_pageSize->setValidator(new QIntValidator(ui->lineEdit_pageSize));
    ui->dateEdit_registerDate2->hide();
    ui->dateEdit_updateDate_2->hide();
    ui->comboBox_registerDate->addItems(ConditionBuilder::operators());
    ui->comboBox_updateDate->addItems(ConditionBuilder::operators());
    for (QDateEdit *edit : {ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, ui->dateEdit_updateDate,
                            ui->dateEdit_updateDate_2}) {
        edit->setDate(QDate::currentDate());
        edit->setCalendarPopup(true);
    }
    domainUi.setCurPage(1);
}

SearchDialog::~SearchDialog()
{
    delete ui;
}

void SearchDialog::receiveGrade(int grade)
{
    this->grade = grade;
    if (grade < 5) {
        for (int i = 0; i < ui->horizontalLayout_loginName->count(); ++i) {
            if (QWidget *widget = ui->horizontalLayout_loginName->itemAt(i)->widget())
                widget->hide();
        }
    }
}

void SearchDialog::receiveDomainUi(DomainUi &window)
{
    pageSize = window.getPageSize();
    ui->lineEdit_pageSize->setText(QString::number(pageSize));
}

QString SearchDialog::getConditionStr()
{
    conditionStr.clear();
    const struct {
        QCheckBox *box;
        QLineEdit *edit;
        const char *field;
    } texts[] = {
        {ui->checkBox_accountName, ui->lineEdit_accountName, "accountName"},
        {ui->checkBox_username, ui->lineEdit_username, "username"},
        {ui->checkBox_userRealName, ui->lineEdit_userRealName, "userRealName"},
        {ui->checkBox_eMail, ui->lineEdit_eMail, "eMail"},
        {ui->checkBox_telephone, ui->lineEdit_telephone, "telephone"},
        {ui->checkBox_information1, ui->lineEdit_information1, "information1"},
        {ui->checkBox_information2, ui->lineEdit_information2, "information2"},
        {ui->checkBox_comment, ui->lineEdit_comment, "comment"},
        {ui->checkBox_loginName, ui->lineEdit_loginName, "loginName"},
    };
    for (const auto &t : texts) {
        if (t.box->isChecked() && !t.edit->text().isEmpty())
            conditionStr += ConditionBuilder::like(QString::fromLatin1(t.field), t.edit->text());
    }
    if (ui->checkBox_1registerDate->isChecked())
        conditionStr += ConditionBuilder::date(QStringLiteral("registerDate"), ui->comboBox_registerDate->currentText(),
                                               ui->dateEdit_registerDate1->date().toString(kDateFormat),
                                               ui->dateEdit_registerDate2->date().toString(kDateFormat));
    if (ui->checkBox_updateDate->isChecked())
        conditionStr += ConditionBuilder::date(QStringLiteral("updateDate"), ui->comboBox_updateDate->currentText(),
                                               ui->dateEdit_updateDate->date().toString(kDateFormat),
                                               ui->dateEdit_updateDate_2->date().toString(kDateFormat));
    return conditionStr;
}

void SearchDialog::on_pushButton_confirm_clicked()
{
    const QString condition = getConditionStr();
    if (condition.isEmpty()) {
        NoticeBox::warning(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关,并填写查询条件"));
        return;
    }
    if (ui->lineEdit_pageSize->text().isEmpty()) {
        NoticeBox::warning(QStringLiteral("提示"), QStringLiteral("每页显示个数不能为空"));
        return;
    }
    domainUi.setPageSize(ui->lineEdit_pageSize->text().toInt());
    domainUi.setConditionStr(condition);
    emit sendDomainUi(domainUi);
}

void SearchDialog::on_pushButton_findAll_clicked()
{
    conditionStr.clear();
    if (ui->lineEdit_pageSize->text().isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("提示"), QStringLiteral("每页显示个数不能为空"));
        return;
    }
    domainUi.setPageSize(ui->lineEdit_pageSize->text().toInt());
    domainUi.setConditionStr(QString());
    emit sendDomainUi(domainUi);
    close();
}

void SearchDialog::on_pushButton_clear_clicked()
{
    for (QCheckBox *box : {ui->checkBox_accountName, ui->checkBox_loginName, ui->checkBox_userRealName,
                           ui->checkBox_eMail, ui->checkBox_telephone, ui->checkBox_information1,
                           ui->checkBox_information2, ui->checkBox_comment, ui->checkBox_username,
                           ui->checkBox_updateDate, ui->checkBox_1registerDate})
        box->setChecked(false);
    for (QLineEdit *edit : {ui->lineEdit_accountName, ui->lineEdit_loginName, ui->lineEdit_userRealName,
                            ui->lineEdit_eMail, ui->lineEdit_telephone, ui->lineEdit_information1,
                            ui->lineEdit_information2, ui->lineEdit_comment, ui->lineEdit_username})
        edit->clear();
    ui->comboBox_registerDate->setCurrentIndex(0);
    ui->comboBox_updateDate->setCurrentIndex(0);
}

void SearchDialog::on_pushButton_cancel_clicked()
{
    close();
}

void SearchDialog::on_comboBox_registerDate_currentTextChanged(const QString &text)
{
    ui->dateEdit_registerDate2->setVisible(ConditionBuilder::isRange(text));
}

void SearchDialog::on_comboBox_updateDate_currentTextChanged(const QString &text)
{
    ui->dateEdit_updateDate_2->setVisible(ConditionBuilder::isRange(text));
}
