#include "httpremind.h"

HttpRemind::HttpRemind(QObject *parent) : QObject(parent), entity(QStringLiteral("remind")) {}

QJsonObject HttpRemind::add(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/add"), jsonObj);
}

QJsonObject HttpRemind::update(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/update"), jsonObj);
}

QJsonObject HttpRemind::delete1(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/delete"), jsonObj);
}

QJsonObject HttpRemind::findByCondition(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByCondition"), jsonObj);
}

QJsonObject HttpRemind::findOfSummary(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findOfSummary"), jsonObj);
}

QJsonObject HttpRemind::findByRemindDay(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByRemindDay"), jsonObj);
}
