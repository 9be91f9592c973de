#ifndef HTTPMESSAGE_H
#define HTTPMESSAGE_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "message".
class HttpMessage : public QObject
{
    Q_OBJECT

public:
    explicit HttpMessage(QObject *parent = nullptr);

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);

private:
    Http http;
    QString entity;
};

#endif // HTTPMESSAGE_H
