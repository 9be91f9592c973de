#ifndef HTTPREMIND_H
#define HTTPREMIND_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "remind".
class HttpRemind : public QObject
{
    Q_OBJECT

public:
    explicit HttpRemind(QObject *parent = nullptr);

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);
    QJsonObject findByRemindDay(QJsonObject jsonObj);

private:
    Http http;
    QString entity;
};

#endif // HTTPREMIND_H
