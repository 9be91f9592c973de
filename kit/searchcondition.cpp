#include "searchcondition.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
}

void SearchCondition::add(const QCheckBox *tick, const QString &fragment)
{
    if (tick->isChecked())
        fragments += fragment;
}

void SearchCondition::addText(const QCheckBox *tick, const QString &field, const QLineEdit *edit,
                              bool trailingBlank)
{
    if (tick->isChecked() && !edit->text().isEmpty())
        fragments += ConditionBuilder::like(field, edit->text(), trailingBlank);
}

void SearchCondition::addChoice(const QCheckBox *tick, const QString &field, const QComboBox *combo,
                                bool trailingBlank)
{
    if (tick->isChecked())
        fragments += ConditionBuilder::like(field, combo->currentText(), trailingBlank);
}

void SearchCondition::addDate(const QCheckBox *tick, const QString &field, const QComboBox *op,
                              const QDateEdit *from, const QDateEdit *to, bool trailingBlank)
{
    if (tick->isChecked())
        fragments += ConditionBuilder::date(field, op->currentText(), from->date().toString(kDateFormat),
                                            to->date().toString(kDateFormat), trailingBlank);
}

void SearchCondition::addNumber(const QCheckBox *tick, const QString &subject, const QComboBox *op,
                                const QString &first, const QString &second, bool trailingBlank)
{
    if (!tick->isChecked())
        return;
    const QString fragment = ConditionBuilder::number(subject, op->currentText(), first, second, trailingBlank);
    if (fragment.isEmpty())
        isRefused = true;
    fragments += fragment;
}

QString SearchCondition::toString() const
{
    return isRefused ? QString() : fragments;
}
