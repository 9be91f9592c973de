#include "httpaccount.h"

HttpAccount::HttpAccount(QObject *parent) : QObject(parent), entity(QStringLiteral("accountInfo")) {}

QJsonObject HttpAccount::add(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/add"), jsonObj);
}

QJsonObject HttpAccount::update(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/update"), jsonObj);
}

QJsonObject HttpAccount::delete1(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/delete"), jsonObj);
}

QJsonObject HttpAccount::findByCondition(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByCondition"), jsonObj);
}

QJsonObject HttpAccount::findOfSummary(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findOfSummary"), jsonObj);
}
