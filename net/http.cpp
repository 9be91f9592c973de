#include "http.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QHttpPart>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QUrl>

namespace {

const char *const kNetworkFailure = "没有网络连接或是数据请求错误，请优先检查是否连接网络!";

void waitFor(QNetworkReply *reply)
{
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
}

QHttpPart filePart(const QString &name, QFile *file)
{
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentTypeHeader, QVariant(QStringLiteral("application/octet-stream")));
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QVariant(QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"")
                                .arg(name, QFileInfo(file->fileName()).fileName())));
    part.setBodyDevice(file);
    return part;
}

QHttpPart textPart(const QString &name, const QString &value)
{
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QVariant(QStringLiteral("form-data; name=\"%1\"").arg(name)));
    part.setBody(value.toUtf8());
    return part;
}

} // namespace

Http::Http(QObject *parent) : QObject(parent)
{
    url = property.getHostURL() + QStringLiteral("/android/");
}

Http::~Http() = default;

QJsonObject Http::resultOf(QNetworkReply *reply)
{
    QJsonObject result;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200 || reply->error() != QNetworkReply::NoError) {
        result.insert(QStringLiteral("flag"), -1);
        result.insert(QStringLiteral("temporary"), QString::fromUtf8(kNetworkFailure));
        return result;
    }
    const QJsonObject envelope = QJsonDocument::fromJson(reply->readAll()).object();
    const QJsonValue code = envelope.value(QStringLiteral("resultCode"));
    // 1 and 1.0 count as success; "1", true or 1.5 do not.
    const bool ok = code.isDouble() && code.toDouble() == 1.0;
    const QJsonValue data = envelope.value(QStringLiteral("data"));
    if (ok && data.isObject())
        return data.toObject();
    result.insert(QStringLiteral("flag"), ok ? 1 : -1);
    if (envelope.contains(QStringLiteral("resultMessage")))
        result.insert(QStringLiteral("temporary"), envelope.value(QStringLiteral("resultMessage")));
    if (ok && envelope.contains(QStringLiteral("data")))
        result.insert(QStringLiteral("data"), data);
    return result;
}

QJsonObject Http::SendData(const QString &subURL, QJsonObject jsonObj)
{
    const QByteArray body = QJsonDocument(jsonObj).toJson(QJsonDocument::Compact);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QVariant(QStringLiteral("application/json")));
    request.setUrl(QUrl(url + subURL, QUrl::TolerantMode));
    QNetworkReply *reply = manager.post(request, body);
    waitFor(reply);
    const QJsonObject result = resultOf(reply);
    reply->deleteLater();
    return result;
}

QJsonObject Http::SendFileAndOldFileName(const QString &url, QString addUpdate, QString oldFileName,
                                         QString strFilePath)
{
    auto *multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    auto *file = new QFile(strFilePath, multiPart);
    file->open(QIODevice::ReadOnly);
    multiPart->append(textPart(QStringLiteral("addUpdate"), addUpdate));
    multiPart->append(textPart(QStringLiteral("oldFileName"), oldFileName));
    multiPart->append(filePart(QStringLiteral("bitmap"), file));

    auto *callManager = new QNetworkAccessManager;
    QNetworkRequest uploadRequest(QUrl(this->url + url, QUrl::TolerantMode));
    QNetworkReply *reply = callManager->post(uploadRequest, multiPart);
    multiPart->setParent(reply);
    waitFor(reply);
    const QJsonObject result = resultOf(reply);
    file->close();
    callManager->deleteLater();
    return result;
}

void Http::SendFile(const QString &url, QString strFilePath)
{
    auto *multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    auto *file = new QFile(strFilePath, multiPart);
    file->open(QIODevice::ReadOnly);
    multiPart->append(filePart(QStringLiteral("file"), file));

    auto *callManager = new QNetworkAccessManager;
    QNetworkReply *reply = callManager->post(QNetworkRequest(QUrl(url, QUrl::TolerantMode)), multiPart);
    multiPart->setParent(reply);
    waitFor(reply);
    callManager->deleteLater();
}

QPixmap *Http::getPixmap(QString &url)
{
    auto *pixmap = new QPixmap;
    auto *callManager = new QNetworkAccessManager(this);
    QNetworkReply *reply = callManager->get(QNetworkRequest(QUrl(url, QUrl::TolerantMode)));
    waitFor(reply);
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200
        && reply->error() == QNetworkReply::NoError)
        pixmap->loadFromData(reply->readAll());
    callManager->deleteLater();
    return pixmap;
}
