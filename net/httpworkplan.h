#ifndef HTTPWORKPLAN_H
#define HTTPWORKPLAN_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "workPlan".
class HttpWorkPlan : public QObject
{
    Q_OBJECT

public:
    explicit HttpWorkPlan(QObject *parent = nullptr);

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);
    QJsonObject findByRemindDay(QJsonObject jsonObj);
    QJsonObject findTags(QJsonObject jsonObj);

private:
    Http http;
    QString entity;
};

#endif // HTTPWORKPLAN_H
