#include "sqlquote.h"

#include "conditionbuilder.h"

QString sqlQuoted(const QString &text)
{
    return ConditionBuilder::quoted(text);
}
