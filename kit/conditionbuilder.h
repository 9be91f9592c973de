#ifndef CONDITIONBUILDER_H
#define CONDITIONBUILDER_H

#include <QString>
#include <QStringList>

// Builds the fragments of a condition string ("conditionStr"), which the
// server appends to its own query. Every fragment begins with " and "; each
// dialog asks for the exact form it sends, blanks included. Every text that
// ends up between single quotes goes through quoted(), so a quote typed by
// the user stays part of the value instead of ending it; numbers go without
// quotes and therefore only when they are numbers.
class ConditionBuilder
{
public:
    // The text with every single quote doubled, ready to stand between two
    // single quotes in a condition ("O'Neil" -> "O''Neil"). No quotes are added.
    static QString quoted(const QString &text);

    // The operators the search dialogs offer, in their order: ">", "<", "=",
    // ">=", "<=", "!=", "介于".
    static QStringList operators();
    // True when the operator text holds the range operator ("介于"), which
    // takes two values.
    static bool isRange(const QString &op);

    // " and 1=1 ", the condition of "查询全部" in the dialogs that hand over a
    // DomainUi (it matches every row).
    static QString matchAll();

    // " and <field> like '%<text>%'", with a blank at the end when asked.
    static QString like(const QString &field, const QString &text, bool trailingBlank = false);
    // " and <field> =" followed by the text in single quotes (the owner
    // condition has this form: " and loginName ='name'").
    static QString equals(const QString &field, const QString &text);

    // " and date(<field>) <op> '<date>'", with a blank at the end when asked;
    // empty when `op` is not one of operators().
    static QString dateCompare(const QString &field, const QString &op, const QString &date,
                               bool trailingBlank = false);
    // " and date(<field>) between '<from>' and '<to>' " (always ends with a blank).
    static QString dateRange(const QString &field, const QString &from, const QString &to);
    // The range form when `op` is the range operator, else the single form.
    static QString date(const QString &field, const QString &op, const QString &from, const QString &to,
                        bool trailingBlank = false);

    // The number in the text as it goes into a condition: an optional sign,
    // digits and an optional decimal point with more digits, blanks around
    // it, a "+" and a bare point at the end dropped ("+7" -> "7", " 1. " ->
    // "1", "-3", "66.5"). Null when the text is no number ("", "-", "1e3",
    // "inf", "1 or 1=1").
    static QString numberText(const QString &text);
    // " and <subject> <op> <number>" (numbers go without quotes, written as
    // numberText() gives them), with a blank at the end when asked. Empty
    // when the text is not a number or `op` is not one of operators(). The
    // subject is usually a field name; a dialog may put a test in front of
    // it, as in "remindDate IS NOT NULL and remindDateNumber".
    static QString numberCompare(const QString &subject, const QString &op, const QString &number,
                                 bool trailingBlank = false);
    // " and <subject> between <low> and <high> " (always ends with a blank);
    // empty unless both are numbers.
    static QString numberRange(const QString &subject, const QString &low, const QString &high);
    // The range form when `op` is the range operator, else the single form.
    static QString number(const QString &subject, const QString &op, const QString &first, const QString &second,
                          bool trailingBlank = false);

    // The blanks of an absence test; the dialogs write three forms of it.
    enum class Absent {
        Plain,           // " and (<field> is null or <field> ='') "
        WideIs,          // " and (<field> is  null or <field> ='') "  (two blanks after "is")
        TightEquals,     // " and (<field> is null or <field>='') "   (no blank before "=")
    };
    // " and (<field> is not null and <field> !='') " when present is true,
    // else the absence test in the form asked.
    static QString presence(const QString &field, bool present, Absent absent = Absent::Plain);
    // " and <field> is not null  " (two blanks at the end): the "全部" choice
    // of a switch field.
    static QString notNull(const QString &field);
};

#endif // CONDITIONBUILDER_H
