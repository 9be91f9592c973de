#include "searchform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "conditionbuilder.h"
#include "domainui.h"
#include "noticebox.h"

namespace {
const QString kPageSizeMissing = QStringLiteral("每页显示个数不能为空");
const QString kSearchTitle = QStringLiteral("查询异常提示");

void refuse(const SearchForm::Refusal &refusal)
{
    if (refusal.plain)
        NoticeBox::show(QMessageBox::NoIcon, QString(), kSearchTitle, refusal.text);
    else
        NoticeBox::warning(kSearchTitle, refusal.text);
}

bool takePageSize(int size, const QString &condition, DomainUi &carrier)
{
    if (size < 1)
        return false;
    carrier.setPageSize(size);
    carrier.setConditionStr(condition);
    return true;
}
} // namespace

void SearchForm::fillOperators(std::initializer_list<QComboBox *> combos)
{
    const QStringList operators = ConditionBuilder::operators();
    for (QComboBox *combo : combos)
        combo->addItems(operators);
}

void SearchForm::showSecondValue(const QString &operatorText, std::initializer_list<QWidget *> secondValue)
{
    const bool range = ConditionBuilder::isRange(operatorText);
    for (QWidget *widget : secondValue)
        widget->setVisible(range);
}

void SearchForm::startToday(std::initializer_list<QDateEdit *> edits, bool calendarPopup)
{
    for (QDateEdit *edit : edits) {
        edit->setDate(QDate::currentDate());
        if (calendarPopup)
            edit->setCalendarPopup(true);
    }
}

void SearchForm::hideOwnerRow(int grade, QLayout *row)
{
    if (grade >= 5)
        return;
    for (int i = 0; i < row->count(); ++i) {
        if (QWidget *widget = row->itemAt(i)->widget())
            widget->hide();
    }
}

void SearchForm::setUpPageSize(QLineEdit *field)
{
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("([1-9][0-9]{0,8})?")), field));
}

int SearchForm::pageSize(const QLineEdit *field)
{
    bool ok = false;
    const int size = field->text().toInt(&ok);
    return ok && size >= 1 ? size : 0;
}

bool SearchForm::confirm(const QString &condition, const QLineEdit *pageSizeField, DomainUi &carrier,
                         const Refusal &refusal)
{
    if (condition.isEmpty()) {
        refuse(refusal);
        return false;
    }
    if (!takePageSize(pageSize(pageSizeField), condition, carrier)) {
        NoticeBox::warning(refusal.pageSizeTitle, kPageSizeMissing);
        return false;
    }
    return true;
}

bool SearchForm::confirm(const QString &condition, const Refusal &refusal)
{
    if (condition.isEmpty()) {
        refuse(refusal);
        return false;
    }
    return true;
}

bool SearchForm::findAll(QWidget *dialog, const QString &condition, const QLineEdit *pageSizeField,
                         DomainUi &carrier)
{
    if (!takePageSize(pageSize(pageSizeField), condition, carrier)) {
        QMessageBox::warning(dialog, QStringLiteral("提示"), kPageSizeMissing);
        return false;
    }
    return true;
}

void SearchForm::pageSizeLeft(QWidget *dialog, const QLineEdit *field)
{
    if (field->text().isEmpty())
        QMessageBox::warning(dialog, QStringLiteral("提示"), kPageSizeMissing);
}

bool SearchForm::quickSearch(QCheckBox *tick, const QString &field, const QLineEdit *text,
                             const QLineEdit *pageSizeField, DomainUi &carrier,
                             QMessageBox::StandardButtons extraButtons)
{
    if (text->text().isEmpty()) {
        NoticeBox::choose(QMessageBox::Warning, kSearchTitle, QStringLiteral("请填写查询内容"), QString(),
                          {QStringLiteral("知道了")}, extraButtons);
        return false;
    }
    tick->setChecked(true);
    carrier.setPageSize(pageSize(pageSizeField));
    carrier.setConditionStr(ConditionBuilder::like(field, text->text()));
    return true;
}

void SearchForm::clear(std::initializer_list<QCheckBox *> switches, std::initializer_list<QLineEdit *> texts,
                       std::initializer_list<QComboBox *> firstItem, std::initializer_list<QDateEdit *> today)
{
    for (QCheckBox *box : switches)
        box->setChecked(false);
    for (QLineEdit *edit : texts)
        edit->clear();
    for (QComboBox *combo : firstItem)
        combo->setCurrentIndex(0);
    startToday(today, false);
}
