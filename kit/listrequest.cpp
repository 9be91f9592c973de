#include "listrequest.h"

void ListRequest::fill(QJsonObject &request, int curPage, int pageSize, const QString &condition,
                       const QString &order, EmptyCondition empty)
{
    request.insert(QStringLiteral("curPage"), curPage);
    request.insert(QStringLiteral("pageSize"), pageSize);
    if (condition.isEmpty() && empty == EmptyCondition::Omit)
        request.remove(QStringLiteral("conditionStr"));
    else
        request.insert(QStringLiteral("conditionStr"), condition);
    request.insert(QStringLiteral("order"), order);
}

QJsonObject ListRequest::due(const QString &condition, const QString &order)
{
    QJsonObject request;
    fill(request, 1, 0, condition, order, EmptyCondition::Send);
    return request;
}

QJsonObject ListRequest::deletion(const QJsonObject &record)
{
    return QJsonObject{{QStringLiteral("dList"), QJsonArray{record}}};
}

bool ListRequest::rows(const QJsonObject &reply, QJsonArray &rows)
{
    const QJsonValue list = reply.value(QStringLiteral("dList"));
    if (!list.isArray())
        return false;
    rows = list.toArray();
    return true;
}

int ListRequest::totalCount(const QJsonObject &reply)
{
    return reply.value(QStringLiteral("totalCount")).toInt(0);
}
