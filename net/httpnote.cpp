#include "httpnote.h"

HttpNote::HttpNote(QObject *parent) : QObject(parent), entity(QStringLiteral("note")) {}

QJsonObject HttpNote::add(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/add"), jsonObj);
}

QJsonObject HttpNote::update(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/update"), jsonObj);
}

QJsonObject HttpNote::delete1(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/delete"), jsonObj);
}

QJsonObject HttpNote::findByCondition(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByCondition"), jsonObj);
}

QJsonObject HttpNote::findOfSummary(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findOfSummary"), jsonObj);
}

QJsonObject HttpNote::findByRemindDay(QJsonObject jsonObj)
{
    return http.SendData(entity + QStringLiteral("/findByRemindDay"), jsonObj);
}

QJsonObject HttpNote::SendFileAndOldFileName(QString addUpdate, QString oldFileName, QString strFilePath)
{
    return http.SendFileAndOldFileName(entity + QStringLiteral("/updateImage"), addUpdate, oldFileName, strFilePath);
}
