#ifndef CONDITIONPARSER_H
#define CONDITIONPARSER_H

#include <QHash>
#include <QString>
#include <QVariantList>

// A condition turned into SQL: a boolean expression with '?' placeholders
// (empty when there is no condition) and the values bound to them in order.
struct SqlCondition
{
    QString sql;
    QVariantList values;
};

// Reads the condition strings that the client appends to its queries.
class ConditionParser
{
public:
    enum FieldKind { Text, Integer, Real };

    // fields: the entity's column names with their kinds. Returns false and sets
    // error when the text is refused.
    static bool parse(const QString &conditionStr, const QHash<QString, ConditionParser::FieldKind> &fields,
                      SqlCondition *out, QString *error);
};

#endif // CONDITIONPARSER_H
