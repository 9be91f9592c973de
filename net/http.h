#ifndef HTTP_H
#define HTTP_H

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QObject>
#include <QPixmap>
#include <QString>

#include "property.h"

class QNetworkReply;

// Transport to the management server. Every request method waits in a local
// event loop until its reply has finished and returns the result object:
//  1. status 200, resultCode 1, data an object -> data itself
//  2. status 200, resultCode 1, data anything else -> {flag 1, temporary, data}
//  3. status 200, any other resultCode or no JSON -> {flag -1, temporary}
//  4. any other status or a network error -> {flag -1, fixed text}
class Http : public QObject
{
    Q_OBJECT

public:
    explicit Http(QObject *parent = nullptr);
    ~Http() override;

    Q_INVOKABLE QJsonObject SendData(const QString &subURL, QJsonObject jsonObj);
    Q_INVOKABLE QJsonObject SendFileAndOldFileName(const QString &url, QString addUpdate, QString oldFileName,
                                                   QString strFilePath);
    Q_INVOKABLE void SendFile(const QString &url, QString strFilePath);
    QPixmap *getPixmap(QString &url);

    // Turns a finished reply into the result object (the four cases above).
    static QJsonObject resultOf(QNetworkReply *reply);

private:
    QNetworkAccessManager manager;
    QNetworkRequest request;
    Property property;
    QString url;
};

#endif // HTTP_H
