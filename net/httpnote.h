#ifndef HTTPNOTE_H
#define HTTPNOTE_H

#include <QJsonObject>
#include <QObject>
#include <QString>

#include "http.h"

// Operations of the server entity "note".
class HttpNote : public QObject
{
    Q_OBJECT

public:
    explicit HttpNote(QObject *parent = nullptr);

    QJsonObject add(QJsonObject jsonObj);
    QJsonObject update(QJsonObject jsonObj);
    QJsonObject delete1(QJsonObject jsonObj);
    QJsonObject findByCondition(QJsonObject jsonObj);
    QJsonObject findOfSummary(QJsonObject jsonObj);
    QJsonObject findByRemindDay(QJsonObject jsonObj);
    QJsonObject SendFileAndOldFileName(QString addUpdate, QString oldFileName, QString strFilePath);

private:
    Http http;
    QString entity;
};

#endif // HTTPNOTE_H
