#include "notethumbnails.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// The picture in `data` fitted into a square of `side`, keeping its
// proportions; formats that can (JPEG) decode straight into the small size.
QImage fitted(QByteArray data, int side)
{
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

NoteThumbnails::NoteThumbnails(QObject *parent) : QObject(parent)
{
    connect(&manager, &QNetworkAccessManager::finished, this, &NoteThumbnails::arrived);
}

NoteThumbnails::~NoteThumbnails()
{
    for (QNetworkReply *reply : pending.keys()) {
        reply->disconnect(this);
        reply->abort();
    }
    // Pictures still being decoded are dropped with this object.
    decoders.waitForDone();
}

void NoteThumbnails::fetch(const QStringList &addresses)
{
    pictures.clear();
    shownWhenThere.clear();
    QSet<QString> asked;
    for (const QString &address : addresses) {
        if (asked.contains(address))
            continue;
        asked.insert(address);
        pending.insert(manager.get(QNetworkRequest(QUrl(address, QUrl::TolerantMode))), address);
    }
    // A request goes out once the event loop has run: let it run once now, so
    // that the server works while the rows are made.
    if (!asked.isEmpty())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void NoteThumbnails::waitAll()
{
    if (done())
        return;
    QEventLoop loop;
    waiting = &loop;
    loop.exec();
    waiting = nullptr;
}

void NoteThumbnails::show(QLabel *label, const QString &address)
{
    const auto picture = pictures.constFind(address);
    if (picture != pictures.constEnd())
        label->setPixmap(*picture);
    else
        shownWhenThere.insert(address, label);
}

void NoteThumbnails::arrived(QNetworkReply *reply)
{
    const QString address = pending.take(reply);
    reply->deleteLater();
    if (reply->error() == QNetworkReply::NoError
        && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200) {
        ++decoding;
        decoders.start([this, address, data = reply->readAll()] {
            const QImage picture = fitted(data, side);
            QMetaObject::invokeMethod(this, [this, address, picture] { decoded(address, picture); },
                                      Qt::QueuedConnection);
        });
    }
    if (waiting && done())
        waiting->quit();
}

void NoteThumbnails::decoded(const QString &address, const QImage &picture)
{
    --decoding;
    if (!picture.isNull()) {
        const QPixmap pixmap = QPixmap::fromImage(picture);
        pictures.insert(address, pixmap);
        for (const QPointer<QLabel> &label : shownWhenThere.values(address)) {
            if (label)
                label->setPixmap(pixmap);
        }
    }
    shownWhenThere.remove(address);
    if (waiting && done())
        waiting->quit();
}
