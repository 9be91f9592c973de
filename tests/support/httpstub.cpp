#include "httpstub.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QTimer>

QJsonObject StubRequest::json() const
{
    return QJsonDocument::fromJson(body).object();
}

StubResponse StubResponse::envelope(const QJsonValue &resultCode, const QString &message, const QJsonValue &data)
{
    QJsonObject o{{"resultCode", resultCode}, {"resultMessage", message}};
    if (!data.isUndefined())
        o.insert("data", data);
    StubResponse r;
    r.body = QJsonDocument(o).toJson(QJsonDocument::Compact);
    return r;
}

StubResponse StubResponse::list(const QJsonArray &rows, int totalCount)
{
    return envelope(1, QStringLiteral("ok"), QJsonObject{{"dList", rows}, {"totalCount", totalCount}});
}

StubResponse StubResponse::raw(int status, const QByteArray &body, const QByteArray &contentType)
{
    StubResponse r;
    r.status = status;
    r.body = body;
    r.contentType = contentType;
    return r;
}

HttpStub::HttpStub(QObject *parent) : QObject(parent)
{
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = server.nextPendingConnection()) {
            connect(s, &QTcpSocket::readyRead, this, [this, s] { onReadyRead(s); });
            connect(s, &QTcpSocket::disconnected, this, [this, s] {
                buffers.remove(s);
                s->deleteLater();
            });
        }
    });
}

HttpStub::~HttpStub()
{
    const auto sockets = server.findChildren<QTcpSocket *>();
    for (QTcpSocket *s : sockets) {
        s->disconnect(this);
        delete s;
    }
}

bool HttpStub::listen(quint16 port)
{
    return server.listen(QHostAddress::LocalHost, port);
}

void HttpStub::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buf = buffers[socket];
    buf += socket->readAll();
    for (;;) {
        const int headerEnd = buf.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        StubRequest req;
        const QList<QByteArray> lines = buf.left(headerEnd).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        req.method = first.value(0);
        req.path = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                req.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = req.headers.value("content-length", "0").toLongLong();
        if (buf.size() < headerEnd + 4 + length)
            return;
        req.body = buf.mid(headerEnd + 4, length);
        buf.remove(0, headerEnd + 4 + length);
        requests.append(req);
        answer(socket, req);
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
    }
}

void HttpStub::answer(QTcpSocket *socket, const StubRequest &request)
{
    StubResponse r;
    if (!queue.isEmpty())
        r = queue.takeFirst();
    else if (handler)
        r = handler(request);
    else
        r = StubResponse::raw(404, "not found", "text/plain");
    if (r.drop) {
        socket->abort();
        return;
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + " Stub\r\n";
    out += "Content-Type: " + r.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    for (const auto &h : r.headers)
        out += h.first + ": " + h.second + "\r\n";
    out += "Connection: keep-alive\r\n\r\n";
    if (request.method != "HEAD")
        out += r.body;
    if (r.delayMs > 0) {
        QTimer::singleShot(r.delayMs, socket, [socket, out] {
            socket->write(out);
            socket->flush();
        });
        return;
    }
    socket->write(out);
    socket->flush();
}
