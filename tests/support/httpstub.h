#ifndef HTTPSTUB_H
#define HTTPSTUB_H

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

struct StubRequest {
    QByteArray method;
    QByteArray path;
    QHash<QByteArray, QByteArray> headers; // keys in lower case
    QByteArray body;
    QJsonObject json() const;
    QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
};

struct StubResponse {
    int status = 200;
    QByteArray contentType = "application/json";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool drop = false; // close the connection without answering
    int delayMs = 0;   // answer only after this long (the connection stays open meanwhile)

    // A reply envelope; `data` is left out when it is undefined.
    static StubResponse envelope(const QJsonValue &resultCode, const QString &message,
                                 const QJsonValue &data = QJsonValue(QJsonValue::Undefined));
    static StubResponse list(const QJsonArray &rows, int totalCount);
    static StubResponse raw(int status, const QByteArray &body, const QByteArray &contentType = "text/html");
};

// A scripted HTTP/1.1 server on loopback that records every request.
// Answers come from the queue first, then from the handler, else 404.
class HttpStub : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<StubResponse(const StubRequest &)>;

    explicit HttpStub(QObject *parent = nullptr);
    ~HttpStub() override;
    bool listen(quint16 port = 8091);
    void close() { server.close(); }
    void enqueue(const StubResponse &response) { queue.append(response); }
    void setHandler(Handler h) { handler = std::move(h); }

    QList<StubRequest> requests;

private:
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const StubRequest &request);

    QTcpServer server;
    QList<StubResponse> queue;
    Handler handler;
    QHash<QTcpSocket *, QByteArray> buffers;
};

#endif // HTTPSTUB_H
