// The server against web pages, slow and surplus connections, oversized and
// compressed bodies, and uploads that would replace or leave behind files.
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "httpnote.h"
#include "httpuser.h"
#include "serverprocess.h"

namespace {

QByteArray request(const QByteArray &method, const QByteArray &path, const QByteArray &body,
                   const QByteArray &headers = "Host: 127.0.0.1:8091\r\nContent-Type: application/json\r\n")
{
    return method + ' ' + path + " HTTP/1.1\r\n" + headers + "Connection: close\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

int statusOf(const QByteArray &response) { return response.mid(9, 3).toInt(); }

QJsonObject envelope(const QByteArray &response)
{
    return QJsonDocument::fromJson(response.mid(response.indexOf("\r\n\r\n") + 4)).object();
}

QByteArray json(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }
QJsonObject write(const QJsonObject &record) { return QJsonObject{{"dList", QJsonArray{record}}}; }

QByteArray form(const QByteArray &mode, const QByteArray &oldName, const QByteArray &name, const QByteArray &content)
{
    return "--b0undary\r\nContent-Disposition: form-data; name=\"addUpdate\"\r\n\r\n" + mode
           + "\r\n--b0undary\r\nContent-Disposition: form-data; name=\"oldFileName\"\r\n\r\n" + oldName
           + "\r\n--b0undary\r\nContent-Type: application/octet-stream\r\nContent-Disposition: form-data; "
             "name=\"bitmap\"; filename=\""
           + name + "\"\r\n\r\n" + content + "\r\n--b0undary--\r\n";
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return QString();
    return f.fileName();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestServerHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void crossSiteRequestsChangeNothing();
    void slowConnectionsLeaveTheServiceFree();
    void readersThatVanishLeaveTheServerUp();
    void connectionsOverTheCapAreToldSo();
    void oversizedRequestsAreRefusedAndTheServerGoesOn();
    void compressedBodiesAreRefused();
    void largeUploadStreamsToDisk();
    void uploadsNeverReplaceAndLeaveNoOrphans();

private:
    QString noteFile(const QString &name) const { return server.dataDir() + "/files/note/" + name; }
    ServerProcess server{true};
};

void TestServerHostile::crossSiteRequestsChangeNothing()
{
    QCOMPARE(HttpUser().add(write(QJsonObject{{"username", "victim"}, {"password", "pw"}, {"realName", "原名"}}))
                 .value("flag").toInt(),
             1);
    const qint64 id = ServerProcess::rows("user", " and username = 'victim'")[0].toObject().value("id").toInteger();
    const QByteArray change = json(write(QJsonObject{{"id", id}, {"realName", "被改"}}));
    const QByteArray path = "/android/user/update";

    // A form or fetch() of another site: a plain-text body, an Origin, a foreign Host (DNS rebinding).
    const QList<QByteArray> attacks{
        request("POST", path, change, "Host: 127.0.0.1:8091\r\nContent-Type: text/plain\r\n"),
        request("POST", path, change, "Host: 127.0.0.1:8091\r\nContent-Type: application/json\r\nOrigin: http://evil.example\r\n"),
        request("POST", path, change, "Host: 127.0.0.1:8091\r\nContent-Type: application/json\r\nOrigin: null\r\n"),
        request("POST", path, change, "Host: evil.example:8091\r\nContent-Type: application/json\r\n"),
        request("POST", path, change, "Host: 127.0.0.1\r\nContent-Type: application/json\r\n"),
        request("POST", "/android/note/updateImage", form("add", "", "evil_1.txt", "x"),
                "Host: 127.0.0.1:8091\r\nContent-Type: multipart/form-data; boundary=b0undary\r\nOrigin: http://evil.example\r\n"),
        request("GET", "/account/note/sunrise_1764000000001.png", QByteArray(), "Host: rebound.example:8091\r\n"),
    };
    for (const QByteArray &attack : attacks) {
        const QByteArray response = ServerProcess::raw(attack);
        QVERIFY2(statusOf(response) == 403, attack.left(120) + " gave " + response.left(60));
        QCOMPARE(envelope(response).value("resultCode").toInt(-1), 0);
    }
    QCOMPARE(ServerProcess::rows("user", " and username = 'victim'")[0].toObject().value("realName").toString(),
             QString("原名"));
    QVERIFY(!QFile::exists(noteFile("evil_1.txt")));

    // The client's own requests, and the other name of this machine with the port.
    QCOMPARE(HttpUser().update(write(QJsonObject{{"id", id}, {"realName", "新名"}})).value("flag").toInt(), 1);
    QCOMPARE(ServerProcess::rows("user", " and username = 'victim'")[0].toObject().value("realName").toString(),
             QString("新名"));
    const QByteArray local = ServerProcess::raw(
        request("POST", "/android/message/findByCondition", "{}",
                "Host: localhost:8091\r\nContent-Type: application/json; charset=utf-8\r\n"));
    QCOMPARE(statusOf(local), 200);
    QCOMPARE(envelope(local).value("resultCode").toInt(), 1);
}

void TestServerHostile::slowConnectionsLeaveTheServiceFree()
{
    // Far more connections than the server has workers: half stopped in the
    // middle of their headers, half waiting on keep-alive after one request.
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 200; ++i) {
        slow.push_back(std::make_unique<QTcpSocket>());
        slow.back()->connectToHost(QStringLiteral("127.0.0.1"), 8091);
        QVERIFY(slow.back()->waitForConnected(3000));
        if (i < 100)
            slow.back()->write("POST /android/note/findByCondition HTTP/1.1\r\nHost: 127.0.0.1:8091\r\nCont");
        else
            slow.back()->write(request("POST", "/android/message/findByCondition", "{}").replace("Connection: close\r\n", ""));
        slow.back()->flush();
    }

    QElapsedTimer timer;
    timer.start();
    const QJsonArray rows = ServerProcess::rows("message");
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(!rows.isEmpty());
    for (int i = 100; i < 200; ++i)
        QVERIFY(slow[i]->bytesAvailable() > 0 || slow[i]->waitForReadyRead(1000));
}

void TestServerHostile::readersThatVanishLeaveTheServerUp()
{
    QByteArray content(8 * 1024 * 1024, 'z');
    QFile f(noteFile("big_1764000000500.bin"));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    f.close();
    // Readers that take the headers and a little, then reset the connection.
    for (int i = 0; i < 5; ++i) {
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), 8091);
        QVERIFY(s.waitForConnected(3000));
        s.write(request("GET", "/account/note/big_1764000000500.bin", QByteArray(), "Host: 127.0.0.1:8091\r\n"));
        QVERIFY(s.waitForReadyRead(3000));
        s.read(1000);
        s.abort();
    }
    QTest::qWait(200);
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "still there"}}).value("flag").toInt(), 1);

    // A broken request after a HEAD on the same connection gets its whole refusal.
    const QByteArray replies = ServerProcess::raw(
        "HEAD /account/note/big_1764000000500.bin HTTP/1.1\r\nHost: 127.0.0.1:8091\r\n\r\nGARBAGE\r\n\r\n");
    const int second = replies.indexOf("HTTP/1.1 400");
    QVERIFY(second > 0);
    QCOMPARE(envelope(replies.mid(second)).value("resultMessage").toString(), QString("请求无效"));
}

void TestServerHostile::connectionsOverTheCapAreToldSo()
{
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    // The server's cap: its own limit, or what its descriptors allow.
    const qint64 cap = qMin<qint64>(4096, qint64(files.rlim_max) - 256 - 64);
    const int extra = 40;
    if (files.rlim_max != RLIM_INFINITY && qint64(files.rlim_max) < cap + extra + 64)
        QSKIP("not enough descriptors here to reach the connection cap");

    std::vector<int> sockets;
    auto closeAll = qScopeGuard([&] {
        for (int s : sockets)
            ::close(s);
    });
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(8091);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (qint64 i = 0; i < cap + extra; ++i) {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(s >= 0);
        sockets.push_back(s);
        QVERIFY2(::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0, qPrintable(QString::number(i)));
    }
    // The last ones are over the cap: each is told so and closed.
    int refused = 0;
    for (auto it = sockets.end() - extra; it != sockets.end(); ++it) {
        pollfd p{*it, POLLIN, 0};
        if (::poll(&p, 1, 5000) != 1)
            continue;
        char buffer[512] = {};
        const ssize_t n = ::recv(*it, buffer, sizeof buffer - 1, 0);
        const QByteArray reply(buffer, n > 0 ? int(n) : 0);
        if (statusOf(reply) == 503 && envelope(reply).value("resultMessage").toString().contains("连接数已满"))
            ++refused;
    }
    QVERIFY2(refused >= extra / 2, qPrintable(QString::number(refused)));

    // Once they are gone, the server serves at once.
    for (int s : sockets)
        ::close(s);
    sockets.clear();
    QElapsedTimer timer;
    timer.start();
    QJsonArray rows;
    while (rows.isEmpty() && timer.elapsed() < 3000)
        rows = ServerProcess::rows("message");
    QVERIFY(!rows.isEmpty());
}

void TestServerHostile::oversizedRequestsAreRefusedAndTheServerGoesOn()
{
    const QString before = QString::number(ServerProcess::rows("note").size());
    auto refusal = [](const QByteArray &response) { return envelope(response).value("resultMessage").toString(); };
    // Over the JSON limit, whole or in chunks: refused before it is read.
    const QByteArray big = json(write(QJsonObject{{"title", QString(2 * 1024 * 1024, 'a')}}));
    QByteArray response = ServerProcess::raw(request("POST", "/android/note/add", big));
    QCOMPARE(statusOf(response), 200);
    QCOMPARE(refusal(response), QString("请求内容过大"));
    QByteArray chunked = "POST /android/note/add HTTP/1.1\r\nHost: 127.0.0.1:8091\r\nContent-Type: application/json\r\n"
                         "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n";
    for (int i = 0; i < 40; ++i)
        chunked += "10000\r\n" + QByteArray(0x10000, ' ') + "\r\n";
    response = ServerProcess::raw(chunked + "0\r\n\r\n");
    QCOMPARE(refusal(response), QString("请求内容过大"));

    // Longer than any field of the forms, or more records than a write takes.
    HttpNote notes;
    QJsonObject r = notes.add(write(QJsonObject{{"title", QString(32768, 'x')}}));
    QCOMPARE(r.value("flag").toInt(), -1);
    QCOMPARE(r.value("temporary").toString(), QString("字段内容过长：title（最多32767个字符）"));
    r = notes.add(write(QJsonObject{{"content", QString(262145, 'x')}}));
    QCOMPARE(r.value("temporary").toString(), QString("字段内容过长：content（最多262144个字符）"));
    QJsonArray many;
    for (int i = 0; i < 1001; ++i)
        many.append(QJsonObject{{"title", i}});
    r = notes.add(QJsonObject{{"dList", many}});
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(r.value("temporary").toString().contains("记录过多"));
    QCOMPARE(QString::number(ServerProcess::rows("note").size()), before);

    // The longest values are taken, and the server is still there.
    r = notes.add(write(QJsonObject{{"title", QString(32767, 'x')}, {"content", QString(262144, 'y')}}));
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(ServerProcess::rows("note", " and title like 'xxx%'").size(), 1);
}

void TestServerHostile::compressedBodiesAreRefused()
{
    const QByteArray response = ServerProcess::raw(
        request("POST", "/android/message/findByCondition", QByteArray("\x1f\x8b\x08\x00", 4),
                "Host: 127.0.0.1:8091\r\nContent-Type: application/json\r\nContent-Encoding: gzip\r\n"));
    QCOMPARE(statusOf(response), 415);
    QCOMPARE(envelope(response).value("resultMessage").toString(), QString("不接受压缩的请求内容"));
}

void TestServerHostile::largeUploadStreamsToDisk()
{
    QTemporaryDir local;
    QByteArray content(60 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(content.data()), content.size() / 4);
    const QString path = writeFile(local, "large_1764000000300.bin", content);
    QVERIFY(!path.isEmpty());
    const QByteArray digest = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    content.clear();

    // The server's resident size, sampled while the upload runs.
    const qint64 before = server.residentKiB();
    qint64 peak = before;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] { peak = qMax(peak, server.residentKiB()); });
    sampler.start(5);
    const QJsonObject r = HttpNote().SendFileAndOldFileName("add", "", path);
    sampler.stop();
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(QCryptographicHash::hash(readFile(noteFile("large_1764000000300.bin")), QCryptographicHash::Sha256), digest);
    QVERIFY2(peak - before < 20 * 1024, qPrintable(QString("%1 KiB more").arg(peak - before)));
    QVERIFY(QDir(server.dataDir() + "/files/.incoming").isEmpty());
}

void TestServerHostile::uploadsNeverReplaceAndLeaveNoOrphans()
{
    QTemporaryDir local;
    HttpNote notes;
    auto upload = [&](const QString &mode, const QString &oldName, const QString &name, const QByteArray &content) {
        QDir(local.path()).mkpath(mode);
        return notes.SendFileAndOldFileName(mode, oldName, writeFile(local, mode + '/' + name, content));
    };

    // "add" under a name that is taken: refused, the stored file untouched.
    QCOMPARE(upload("add", "", "doc_100.txt", "first").value("flag").toInt(), 1);
    QJsonObject r = upload("add", "", "doc_100.txt", "second");
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(r.value("temporary").toString().contains("已存在"));
    QCOMPARE(readFile(noteFile("doc_100.txt")), QByteArray("first"));
    const QByteArray framed = ServerProcess::raw(request(
        "POST", "/android/note/updateImage", form("add", "", "doc_100.txt", "third"),
        "Host: 127.0.0.1:8091\r\nContent-Type: multipart/form-data; boundary=b0undary\r\n"));
    QCOMPARE(envelope(framed).value("resultCode").toInt(-1), 0);
    QCOMPARE(readFile(noteFile("doc_100.txt")), QByteArray("first"));

    // A note names the file; changing its attachment uploads the new one first,
    // so the old one stays until the note names the new one.
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "附件"}, {"attachedFile", "doc_100.txt"}}).value("flag").toInt(), 1);
    const qint64 id = ServerProcess::rows("note", " and title = '附件'")[0].toObject().value("id").toInteger();
    QCOMPARE(upload("update", "doc_100.txt", "doc_200.txt", "v2").value("flag").toInt(), 1);
    QVERIFY(QFile::exists(noteFile("doc_100.txt")));
    QCOMPARE(notes.update(write(QJsonObject{{"id", id}, {"attachedFile", "doc_200.txt"}})).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(noteFile("doc_100.txt")));
    QCOMPARE(readFile(noteFile("doc_200.txt")), QByteArray("v2"));

    // Saving again from the same form names the first old file once more.
    QCOMPARE(upload("update", "doc_100.txt", "doc_300.txt", "v3").value("flag").toInt(), 1);
    QCOMPARE(notes.update(write(QJsonObject{{"id", id}, {"attachedFile", "doc_300.txt"}})).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(noteFile("doc_200.txt")));
    QCOMPARE(readFile(noteFile("doc_300.txt")), QByteArray("v3"));

    // A file that another note still names is kept.
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "同附件"}, {"attachedFile", "doc_300.txt"}}).value("flag").toInt(), 1);
    QCOMPARE(upload("update", "doc_300.txt", "doc_400.txt", "v4").value("flag").toInt(), 1);
    QCOMPARE(notes.update(write(QJsonObject{{"id", id}, {"attachedFile", "doc_400.txt"}})).value("flag").toInt(), 1);
    QCOMPARE(readFile(noteFile("doc_300.txt")), QByteArray("v3"));
}

QTEST_MAIN(TestServerHostile)
#include "tst_serverhostile.moc"
