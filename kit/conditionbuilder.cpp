#include "conditionbuilder.h"

#include <QRegularExpression>

namespace {
const QString kRange = QStringLiteral("介于");

QString blankIf(bool trailingBlank)
{
    return trailingBlank ? QStringLiteral(" ") : QString();
}
} // namespace

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

QString ConditionBuilder::matchAll()
{
    return QStringLiteral(" and 1=1 ");
}

QString ConditionBuilder::like(const QString &field, const QString &text, bool trailingBlank)
{
    return QStringLiteral(" and ") + field + QStringLiteral(" like '%") + quoted(text) + QStringLiteral("%'")
           + blankIf(trailingBlank);
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
           + QLatin1Char('\'') + blankIf(trailingBlank);
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

QString ConditionBuilder::numberText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^([+-]?)(\\d+)(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = number.match(text.trimmed());
    if (!match.hasMatch())
        return QString();
    QString digits = match.captured(2);
    if (!match.captured(3).isEmpty())
        digits += QLatin1Char('.') + match.captured(3);
    return match.captured(1) == QLatin1String("-") ? QLatin1Char('-') + digits : digits;
}

QString ConditionBuilder::numberCompare(const QString &subject, const QString &op, const QString &number,
                                        bool trailingBlank)
{
    const QString value = numberText(number);
    if (value.isNull() || !operators().contains(op))
        return QString();
    return QStringLiteral(" and ") + subject + QLatin1Char(' ') + op + QLatin1Char(' ') + value
           + blankIf(trailingBlank);
}

QString ConditionBuilder::numberRange(const QString &subject, const QString &low, const QString &high)
{
    const QString from = numberText(low);
    const QString to = numberText(high);
    if (from.isNull() || to.isNull())
        return QString();
    return QStringLiteral(" and ") + subject + QStringLiteral(" between ") + from + QStringLiteral(" and ") + to
           + QLatin1Char(' ');
}

QString ConditionBuilder::number(const QString &subject, const QString &op, const QString &first,
                                 const QString &second, bool trailingBlank)
{
    return isRange(op) ? numberRange(subject, first, second) : numberCompare(subject, op, first, trailingBlank);
}

QString ConditionBuilder::presence(const QString &field, bool present, Absent absent)
{
    if (present)
        return QStringLiteral(" and (") + field + QStringLiteral(" is not null and ") + field
               + QStringLiteral(" !='') ");
    const QString isNull = absent == Absent::WideIs ? QStringLiteral(" is  null or ") : QStringLiteral(" is null or ");
    const QString empty = absent == Absent::TightEquals ? QStringLiteral("='') ") : QStringLiteral(" ='') ");
    return QStringLiteral(" and (") + field + isNull + field + empty;
}

QString ConditionBuilder::notNull(const QString &field)
{
    return QStringLiteral(" and ") + field + QStringLiteral(" is not null  ");
}
