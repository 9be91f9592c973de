#ifndef SEARCHCONDITION_H
#define SEARCHCONDITION_H

#include <QString>

#include "conditionbuilder.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

// Collects the condition string of a search dialog, one criterion row at a
// time. A dialog's getConditionStr() makes one, offers every row in the
// dialog's read order and keeps toString():
//
//     SearchCondition condition;
//     condition.addText(ui->checkBox_title, "title", ui->lineEdit_title, true);
//     condition.addChoice(ui->checkBox_mold, "mold", ui->comboBox_mold, true);
//     condition.add(ui->checkBox_image, ConditionBuilder::presence("image", ui->comboBox_image->currentIndex() == 0));
//     condition.addDate(ui->checkBox_registerDate, "registerDate", ui->comboBox_registerDate,
//                       ui->dateEdit_registerDate1, ui->dateEdit_registerDate2, true);
//     condition.addNumber(ui->checkBox_grade, "grade", ui->comboBox_grade, ui->comboBox_grade1->currentText(),
//                         ui->comboBox_grade2->currentText(), true);
//     conditionStr = condition.toString();
//
// A row counts only while its switch (the check box) is ticked. The
// `trailingBlank` arguments give the blank some dialogs write at the end of
// a fragment; range fragments always end with one.
//
// A ticked number row whose value used is not a number (empty, a lone sign)
// refuses the whole search: toString() is then empty, so that confirm shows
// the dialog's "查询异常提示" box instead of sending a broken condition.
class SearchCondition
{
public:
    // Any fragment, when the switch is ticked (choice rows with their own
    // forms, presence tests, "全部" choices: build it with ConditionBuilder).
    void add(const QCheckBox *tick, const QString &fragment);
    // A text row: " and <field> like '%<text>%'" when ticked and the edit is
    // not empty. The text goes in as typed (blanks too), quotes doubled.
    void addText(const QCheckBox *tick, const QString &field, const QLineEdit *edit, bool trailingBlank = false);
    // A choice row: the like fragment of the combo's current text, whenever
    // ticked (even when that text is empty).
    void addChoice(const QCheckBox *tick, const QString &field, const QComboBox *combo, bool trailingBlank = false);
    // A date row: " and date(<field>) <op> '<from>'" (the trailing blank when
    // asked), or " and date(<field>) between '<from>' and '<to>' " while the
    // operator is "介于"; dates as "yyyy-MM-dd", used as chosen.
    void addDate(const QCheckBox *tick, const QString &field, const QComboBox *op, const QDateEdit *from,
                 const QDateEdit *to, bool trailingBlank = false);
    // A number row: " and <subject> <op> <first>" (the trailing blank when
    // asked), or " and <subject> between <first> and <second> " while the
    // operator is "介于" (see ConditionBuilder::numberCompare for the subject).
    // Values are texts: a combo's current text, a line edit's text or
    // QString::number of a spin box's value. When ticked with a value used
    // that is not a number, the search is refused.
    void addNumber(const QCheckBox *tick, const QString &subject, const QComboBox *op, const QString &first,
                   const QString &second, bool trailingBlank = false);

    // True once a ticked number row had no number.
    bool refused() const { return isRefused; }
    // The fragments in the order offered; empty when none contributed or the
    // search was refused.
    QString toString() const;

private:
    QString fragments;
    bool isRefused = false;
};

#endif // SEARCHCONDITION_H
