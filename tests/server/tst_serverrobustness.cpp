// The server under bad input, concurrent writers, a crash and a taken port.
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "httpnote.h"
#include "httpuser.h"
#include "serverprocess.h"

namespace {

QByteArray post(const QByteArray &path, const QByteArray &body, const QByteArray &type = "application/json")
{
    return ServerProcess::raw("POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:8091\r\nConnection: close\r\nContent-Type: "
                              + type + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

QJsonObject envelope(const QByteArray &response)
{
    return QJsonDocument::fromJson(response.mid(response.indexOf("\r\n\r\n") + 4)).object();
}

QJsonObject write(const QJsonObject &record) { return QJsonObject{{"dList", QJsonArray{record}}}; }

} // namespace

class TestServerRobustness : public QObject
{
    Q_OBJECT

private slots:
    void commandLine();
    void malformedRequests();
    void hostileConditions();
    void concurrentWritersLoseNothing();
    void acknowledgedWritesSurviveAKill();
    void takenPortFailsLoudly();
};

void TestServerRobustness::commandLine()
{
    QProcess p;
    p.start(ServerProcess::binary(), {"--help"});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QString usage = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY(usage.contains("--port N") && usage.contains("--data DIR") && usage.contains("--demo"));
    for (const QStringList &args : {QStringList{"--bogus"}, QStringList{"--port", "abc"}, QStringList{"--port"},
                                    QStringList{"--port", "70000"}}) {
        p.start(ServerProcess::binary(), args);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("Usage"));
    }
}

void TestServerRobustness::malformedRequests()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    const QList<QByteArray> bodies{"not json", "[1,2]", "{\"dList\":[{\"username\":", QByteArray("\x00\xff\xfe{", 4),
                                   "", "{\"dList\":[{\"id\":\"1\",\"grade\":\"x\"}]}", "{\"dList\":[1]}"};
    for (const QByteArray &body : bodies) {
        for (const QByteArray &path : {QByteArray("/android/note/add"), QByteArray("/android/user/login"),
                                       QByteArray("/android/note/delete"), QByteArray("/android/note/update")}) {
            const QByteArray response = post(path, body);
            QVERIFY2(response.startsWith("HTTP/1.1 200"), response.left(60));
            const QJsonObject e = envelope(response);
            QCOMPARE(e.value("resultCode").toInt(-1), 0);
            QVERIFY(!e.value("resultMessage").toString().isEmpty());
        }
    }
    // Over the JSON size limit: refused with a reason, nothing written.
    QByteArray big = "{\"dList\":[{\"title\":\"" + QByteArray(5 * 1024 * 1024, 'a') + "\"}]}";
    QJsonObject e = envelope(post("/android/note/add", big));
    QCOMPARE(e.value("resultCode").toInt(-1), 0);
    QVERIFY(e.value("resultMessage").toString().contains("过大"));
    QCOMPARE(envelope(post("/android/../note/add", "{}")).value("resultCode").toInt(-1), 0);
    QVERIFY(post("/android/note", "{}").startsWith("HTTP/1.1 404"));
    QCOMPARE(ServerProcess::rows("note").size(), 0);
    // The server is still there.
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "ok"}}).value("flag").toInt(), 1);
}

void TestServerRobustness::hostileConditions()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "keep"}, {"loginName", "a"}}).value("flag").toInt(), 1);
    HttpNote notes;
    const QStringList hostile{" and title = 'x'; DELETE FROM note; --",
                              " and loginName ='a' or '1'='1' union select * from user",
                              " and title = 'unterminated",
                              " and (select count(*) from user) > 0",
                              " and nofield = 1",
                              " and title like '%x%' escape '!'",
                              QString(100000, '('),
                              " and title = '" + QString(200000, 'x') + "'",
                              " and load_extension('x') = 1",
                              " and title = 'a' /* comment */"};
    for (const QString &c : hostile) {
        const QJsonObject r = notes.findByCondition(QJsonObject{{"conditionStr", c}, {"curPage", 1}, {"pageSize", 30}});
        QVERIFY2(r.value("flag").toInt() == -1, qPrintable(c.left(60)));
        QVERIFY(!r.value("temporary").toString().isEmpty());
    }
    QCOMPARE(ServerProcess::rows("note").size(), 1);
    QCOMPARE(HttpUser().add(write(QJsonObject{{"username", "x'); DROP TABLE user; --"}, {"password", "p"}}))
                 .value("flag").toInt(),
             1);
    QCOMPARE(ServerProcess::rows("user", " and username = 'x''); DROP TABLE user; --'").size(), 1);
}

void TestServerRobustness::concurrentWritersLoseNothing()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    constexpr int writers = 8, each = 20;
    QList<QThread *> threads;
    QAtomicInt acknowledged = 0, registered = 0;
    for (int w = 0; w < writers; ++w) {
        threads << QThread::create([w, &acknowledged, &registered] {
            HttpNote notes;
            for (int i = 0; i < each; ++i) {
                const QJsonObject r = notes.add(write(QJsonObject{{"title", QString("w%1-%2").arg(w).arg(i)},
                                                                  {"loginName", QString("w%1").arg(w)}}));
                if (r.value("flag").toInt() == 1)
                    acknowledged.fetchAndAddRelaxed(1);
            }
            HttpUser users;
            if (users.add(write(QJsonObject{{"username", "race"}, {"password", QString("p%1").arg(w)}})).value("flag").toInt() == 1)
                registered.fetchAndAddRelaxed(1);
        });
        threads.last()->start();
    }
    for (QThread *t : threads) {
        QVERIFY(t->wait(60000));
        delete t;
    }
    QCOMPARE(acknowledged.loadRelaxed(), writers * each);
    QCOMPARE(registered.loadRelaxed(), 1);
    const QJsonArray rows = ServerProcess::rows("note");
    QCOMPARE(rows.size(), writers * each);
    QSet<QString> titles;
    for (const QJsonValue &v : rows)
        titles << v.toObject().value("title").toString();
    QCOMPARE(titles.size(), writers * each);
    QCOMPARE(ServerProcess::rows("user").size(), 1);
}

void TestServerRobustness::acknowledgedWritesSurviveAKill()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    QCOMPARE(HttpUser().add(write(QJsonObject{{"username", "kept"}, {"password", "pw"}})).value("flag").toInt(), 1);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(ServerProcess::add("remind", QJsonObject{{"title", QString("r%1").arg(i)}}).value("flag").toInt(), 1);
    const QJsonObject last = ServerProcess::rows("remind").first().toObject();
    QCOMPARE(ServerProcess::call("remind", "update", write(QJsonObject{{"id", last.value("id")}, {"title", "changed"}}))
                 .value("flag").toInt(),
             1);
    server.kill();
    QVERIFY(server.start());
    QCOMPARE(ServerProcess::rows("remind").size(), 5);
    QCOMPARE(ServerProcess::rows("remind", " and title = 'changed'").size(), 1);
    QCOMPARE(HttpUser().login(write(QJsonObject{{"username", "kept"}, {"password", "pw"}})).value("flag").toInt(), 1);
}

void TestServerRobustness::takenPortFailsLoudly()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    QTemporaryDir other;
    QProcess second;
    second.start(ServerProcess::binary(), {"--port", "8091", "--data", other.path()});
    QVERIFY(second.waitForFinished(10000));
    QVERIFY(second.exitCode() != 0);
    QVERIFY(QString::fromUtf8(second.readAllStandardError()).contains("8091"));
    QCOMPARE(ServerProcess::add("note", QJsonObject{{"title", "still served"}}).value("flag").toInt(), 1);
}

QTEST_MAIN(TestServerRobustness)
#include "tst_serverrobustness.moc"
