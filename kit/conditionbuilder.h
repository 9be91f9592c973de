#ifndef CONDITIONBUILDER_H
#define CONDITIONBUILDER_H

#include <QString>
#include <QStringList>

// Builds the fragments of a condition string ("conditionStr"), which the
// server appends to its own query. Every text that ends up between single
// quotes goes through quoted(), so a quote typed by the user stays part of
// the value instead of ending it.
class ConditionBuilder
{
public:
    // The text with every single quote doubled, ready to stand between two
    // single quotes in a condition ("O'Neil" -> "O''Neil"). No quotes are added.
    static QString quoted(const QString &text);

    // The operators the search dialogs offer, in their order: ">", "<", "=",
    // ">=", "<=", "!=", "介于".
    static QStringList operators();
    // True for the range operator ("介于"), which takes two values.
    static bool isRange(const QString &op);

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

    // " and <field> <op> <number>" (numbers go without quotes), with a blank at
    // the end when asked. Empty when the text is not a number (so no typed
    // text ever reaches the condition unquoted) or `op` is not one of operators().
    static QString numberCompare(const QString &field, const QString &op, const QString &number,
                                 bool trailingBlank = false);
    // " and <field> between <low> and <high> "; empty unless both are numbers.
    static QString numberRange(const QString &field, const QString &low, const QString &high);

    // " and (<field> is not null and <field> !='') " when present is true,
    // " and (<field> is null or <field> ='') " otherwise.
    static QString presence(const QString &field, bool present);

private:
    static bool isNumber(const QString &text);
};

#endif // CONDITIONBUILDER_H
