#ifndef HTTPACCOUNT_H
#define HTTPACCOUNT_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "accountInfo".
class HttpAccount : public QObject
{
    Q_OBJECT

public:
    explicit HttpAccount(QObject *parent = nullptr);

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);

private:
    Http http;
    QString entity;
};

#endif // HTTPACCOUNT_H
