#ifndef HTTPUSER_H
#define HTTPUSER_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "user".
class HttpUser : public QObject
{
    Q_OBJECT

public:
    HttpUser();

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);
    QJsonObject login(QJsonObject jsonObj);

private:
    Http http;
    QString entity;
};

#endif // HTTPUSER_H
