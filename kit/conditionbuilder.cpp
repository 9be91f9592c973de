#include "conditionbuilder.h"

namespace {
const QString kRange = QStringLiteral("介于");
}

QString ConditionBuilder::quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled;
}

QStringList ConditionBuilder::operators()
{
    return {QStringLiteral(">"), QStringLiteral("<"), QStringLiteral("="), QStringLiteral(">="),
            QStringLiteral("<="), QStringLiteral("!="), kRange};
}

bool ConditionBuilder::isRange(const QString &op)
{
    return op.contains(kRange);
}

QString ConditionBuilder::like(const QString &field, const QString &text, bool trailingBlank)
{
    return QStringLiteral(" and ") + field + QStringLiteral(" like '%") + quoted(text) + QStringLiteral("%'")
           + (trailingBlank ? QStringLiteral(" ") : QString());
}

QString ConditionBuilder::equals(const QString &field, const QString &text)
{
    return QStringLiteral(" and ") + field + QStringLiteral(" ='") + quoted(text) + QLatin1Char('\'');
}

QString ConditionBuilder::dateCompare(const QString &field, const QString &op, const QString &date,
                                      bool trailingBlank)
{
    if (!operators().contains(op))
        return QString();
    return QStringLiteral(" and date(") + field + QStringLiteral(") ") + op + QStringLiteral(" '") + quoted(date)
           + QLatin1Char('\'') + (trailingBlank ? QStringLiteral(" ") : QString());
}

QString ConditionBuilder::dateRange(const QString &field, const QString &from, const QString &to)
{
    return QStringLiteral(" and date(") + field + QStringLiteral(") between '") + quoted(from)
           + QStringLiteral("' and '") + quoted(to) + QStringLiteral("' ");
}

QString ConditionBuilder::date(const QString &field, const QString &op, const QString &from, const QString &to,
                               bool trailingBlank)
{
    return isRange(op) ? dateRange(field, from, to) : dateCompare(field, op, from, trailingBlank);
}

bool ConditionBuilder::isNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

QString ConditionBuilder::numberCompare(const QString &field, const QString &op, const QString &number,
                                        bool trailingBlank)
{
    if (!isNumber(number) || !operators().contains(op))
        return QString();
    return QStringLiteral(" and ") + field + QLatin1Char(' ') + op + QLatin1Char(' ') + number.trimmed()
           + (trailingBlank ? QStringLiteral(" ") : QString());
}

QString ConditionBuilder::numberRange(const QString &field, const QString &low, const QString &high)
{
    if (!isNumber(low) || !isNumber(high))
        return QString();
    return QStringLiteral(" and ") + field + QStringLiteral(" between ") + low.trimmed() + QStringLiteral(" and ")
           + high.trimmed() + QLatin1Char(' ');
}

QString ConditionBuilder::presence(const QString &field, bool present)
{
    if (present)
        return QStringLiteral(" and (") + field + QStringLiteral(" is not null and ") + field
               + QStringLiteral(" !='') ");
    return QStringLiteral(" and (") + field + QStringLiteral(" is null or ") + field + QStringLiteral(" ='') ");
}
