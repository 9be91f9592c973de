#include "httpuser.h"

HttpUser::HttpUser() : entity(QStringLiteral("user")) {}

QJsonObject HttpUser::add(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/add"), jsonObj);
}

QJsonObject HttpUser::update(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/update"), jsonObj);
}

QJsonObject HttpUser::delete1(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/delete"), jsonObj);
}

QJsonObject HttpUser::findByCondition(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByCondition"), jsonObj);
}

QJsonObject HttpUser::findOfSummary(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findOfSummary"), jsonObj);
}

QJsonObject HttpUser::login(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/login"), jsonObj);
}
