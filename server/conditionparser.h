#ifndef CONDITIONPARSER_H
#define CONDITIONPARSER_H

#include <QHash>
#include <QString>
#include <QVariantList>

// A client filter turned into SQL: "sql" is empty (no filter) or one boolean
// expression with '?' placeholders, to be placed after WHERE inside parentheses;
// "values" holds the bound values in placeholder order.
struct SqlCondition
{
    QString sql;
    QVariantList values;
};

// Reads the SQL-like condition strings that the client sends ("conditionStr")
// and rebuilds them as SQL with bound parameters. Nothing of the client's text
// reaches the SQL except the names of known fields, which are quoted.
//
// Accepted: an optional leading "and", then conjuncts joined by "and"; each is
// a parenthesised group (inside which "or" may join terms) or one test:
//   operand op operand          op: = != <> < > <= >=
//   field like 'pattern'
//   field|date(field) between X and Y
//   field is [not] null
// where an operand is a field, date(field), a number (optionally negative) or
// a quoted text ('' inside stands for one quote). date(field) is compared with
// 'yyyy-MM-dd' or 'yyyy-MM-dd HH:mm:ss'; with a timestamp only its date part counts.
class ConditionParser
{
public:
    enum FieldKind { Text, Integer, Real };

    // Returns false and sets *error (a short Chinese text) when the text is refused;
    // *out is then left untouched. Never throws.
    static bool parse(const QString &conditionStr, const QHash<QString, FieldKind> &fields,
                      SqlCondition *out, QString *error);

    // Longest condition accepted, in UTF-8 bytes.
    static constexpr int maxLength = 8 * 1024;
};

#endif // CONDITIONPARSER_H
