#include "httpworkplan.h"

HttpWorkPlan::HttpWorkPlan(QObject *parent) : QObject(parent), entity(QStringLiteral("workPlan")) {}

QJsonObject HttpWorkPlan::add(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/add"), jsonObj);
}

QJsonObject HttpWorkPlan::update(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/update"), jsonObj);
}

QJsonObject HttpWorkPlan::delete1(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/delete"), jsonObj);
}

QJsonObject HttpWorkPlan::findByCondition(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByCondition"), jsonObj);
}

QJsonObject HttpWorkPlan::findOfSummary(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findOfSummary"), jsonObj);
}

QJsonObject HttpWorkPlan::findByRemindDay(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByRemindDay"), jsonObj);
}

QJsonObject HttpWorkPlan::findTags(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findTags"), jsonObj);
}
