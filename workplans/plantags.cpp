#include "plantags.h"

#include <QComboBox>

#include "conditionbuilder.h"
#include "httpworkplan.h"

QString PlanTags::condition(const QString &username)
{
    return QStringLiteral("and isShow = '正常'  and loginName = '") + ConditionBuilder::quoted(username)
           + QStringLiteral("' ");
}

void PlanTags::load(HttpWorkPlan &endpoint, QJsonObject &request, const QString &username, QComboBox *combo)
{
    request.insert(QStringLiteral("conditionStr"), condition(username));
    const QJsonObject reply = endpoint.findTags(request);
    if (reply.value(QStringLiteral("flag")).toInt() != 1)
        return;
    combo->addItems(reply.value(QStringLiteral("temporary")).toString().split(QLatin1Char('-')));
}
