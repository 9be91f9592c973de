// The transport and the endpoints against a scripted server on loopback.
#include <QJsonArray>
#include <QJsonDocument>
#include <QPixmap>
#include <QTemporaryDir>
#include <QtTest>

#include "http.h"
#include "httpaccount.h"
#include "httpmessage.h"
#include "httpnote.h"
#include "httpremind.h"
#include "httpstub.h"
#include "httpuser.h"
#include "httpworkplan.h"
#include "property.h"

static const QString kNetworkFailure = QStringLiteral("没有网络连接或是数据请求错误，请优先检查是否连接网络!");

class TestHttp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { stub.requests.clear(); }
    void resultCases_data();
    void resultCases();
    void failingStatusesAndDroppedConnection_data();
    void failingStatusesAndDroppedConnection();
    void requestIsCompactSortedJson();
    void endpointPaths();
    void uploadFormHasThreePartsInOrder();
    void getPixmap();
    void nestedWaitsReturnInTheirOwnOrder();
    void serverDown();

private:
    HttpStub stub;
};

void TestHttp::initTestCase()
{
    QCOMPARE(Property().getHostURL(), QStringLiteral("http://127.0.0.1:8091"));
    QCOMPARE(Property().getVersionNumber(), 1.0);
    QCOMPARE(Property().getPageSize(), 30);
    QVERIFY(stub.listen(8091));
}

void TestHttp::resultCases_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QJsonObject>("expected");
    const QJsonObject emptyList{{"dList", QJsonArray()}, {"totalCount", 0}};
    QTest::newRow("data object is the result")
        << StubResponse::envelope(1, "ok", emptyList).body << emptyList;
    QTest::newRow("1.0 counts as 1")
        << QByteArray(R"({"resultCode":1.0,"resultMessage":"m","data":{"a":1}})") << QJsonObject{{"a", 1}};
    QTest::newRow("data null")
        << StubResponse::envelope(1, "已保存", QJsonValue::Null).body
        << QJsonObject{{"flag", 1}, {"temporary", "已保存"}, {"data", QJsonValue::Null}};
    QTest::newRow("data missing")
        << StubResponse::envelope(1, "3-4-5").body << QJsonObject{{"flag", 1}, {"temporary", "3-4-5"}};
    QTest::newRow("data array")
        << StubResponse::envelope(1, "t", QJsonArray{1}).body
        << QJsonObject{{"flag", 1}, {"temporary", "t"}, {"data", QJsonArray{1}}};
    QTest::newRow("resultCode 0")
        << StubResponse::envelope(0, "密码错误", QJsonObject{{"x", 1}}).body
        << QJsonObject{{"flag", -1}, {"temporary", "密码错误"}};
    QTest::newRow("resultCode string")
        << StubResponse::envelope("1", "no", QJsonObject{}).body << QJsonObject{{"flag", -1}, {"temporary", "no"}};
    QTest::newRow("resultCode 1.5")
        << StubResponse::envelope(1.5, "no").body << QJsonObject{{"flag", -1}, {"temporary", "no"}};
    QTest::newRow("resultCode true")
        << StubResponse::envelope(true, "no").body << QJsonObject{{"flag", -1}, {"temporary", "no"}};
    QTest::newRow("html page") << QByteArray("<html><body>hello</body></html>") << QJsonObject{{"flag", -1}};
}

void TestHttp::resultCases()
{
    QFETCH(QByteArray, body);
    QFETCH(QJsonObject, expected);
    StubResponse r;
    r.body = body;
    stub.enqueue(r);
    Http http;
    QCOMPARE(http.SendData("note/findByCondition", QJsonObject{}), expected);
}

void TestHttp::failingStatusesAndDroppedConnection_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("drop");
    QTest::newRow("201") << 201 << false;
    QTest::newRow("204") << 204 << false;
    QTest::newRow("404") << 404 << false;
    QTest::newRow("500") << 500 << false;
    QTest::newRow("dropped") << 200 << true;
}

void TestHttp::failingStatusesAndDroppedConnection()
{
    QFETCH(int, status);
    QFETCH(bool, drop);
    StubResponse r = StubResponse::envelope(1, "ok", QJsonObject{{"dList", QJsonArray()}});
    r.status = status;
    r.drop = drop;
    stub.enqueue(r);
    Http http;
    QCOMPARE(http.SendData("user/add", QJsonObject{}),
             (QJsonObject{{"flag", -1}, {"temporary", kNetworkFailure}}));
}

void TestHttp::requestIsCompactSortedJson()
{
    stub.enqueue(StubResponse::list(QJsonArray(), 0));
    HttpNote note;
    note.findByCondition(QJsonObject{{"pageSize", 30}, {"order", "desc"}, {"curPage", 1}, {"conditionStr", " and a='b'"}});
    QCOMPARE(stub.requests.size(), 1);
    const StubRequest &req = stub.requests.first();
    QCOMPARE(req.method, QByteArray("POST"));
    QCOMPARE(req.path, QByteArray("/android/note/findByCondition"));
    QCOMPARE(req.header("Content-Type"), QByteArray("application/json"));
    QCOMPARE(req.body, QByteArray(R"({"conditionStr":" and a='b'","curPage":1,"order":"desc","pageSize":30})"));
}

void TestHttp::endpointPaths()
{
    stub.setHandler([](const StubRequest &) { return StubResponse::envelope(1, "ok"); });
    HttpUser user;
    HttpAccount account;
    HttpMessage message;
    HttpRemind remind;
    HttpNote note;
    HttpWorkPlan plan;
    const QJsonObject o;
    QStringList expected;
    auto common = [&](auto &ep, const QString &word) {
        ep.add(o);
        ep.update(o);
        ep.delete1(o);
        ep.findByCondition(o);
        ep.findOfSummary(o);
        for (const char *op : {"add", "update", "delete", "findByCondition", "findOfSummary"})
            expected << QStringLiteral("/android/%1/%2").arg(word, QLatin1String(op));
    };
    common(user, "user");
    user.login(o);
    expected << "/android/user/login";
    common(account, "accountInfo");
    common(message, "message");
    common(remind, "remind");
    remind.findByRemindDay(o);
    expected << "/android/remind/findByRemindDay";
    common(note, "note");
    note.findByRemindDay(o);
    expected << "/android/note/findByRemindDay";
    common(plan, "workPlan");
    plan.findByRemindDay(o);
    plan.findTags(o);
    expected << "/android/workPlan/findByRemindDay" << "/android/workPlan/findTags";
    QStringList seen;
    for (const StubRequest &r : std::as_const(stub.requests))
        seen << QString::fromUtf8(r.path);
    QCOMPARE(seen, expected);
    // Two endpoint objects of different holders reach the same address.
    HttpNote other;
    other.delete1(o);
    QCOMPARE(stub.requests.last().path, QByteArray("/android/note/delete"));
    stub.setHandler(nullptr);
}

void TestHttp::uploadFormHasThreePartsInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("语音 备忘.mp3");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const QByteArray bytes("\x00\x01binary\xff", 9);
    f.write(bytes);
    f.close();
    stub.enqueue(StubResponse::envelope(1, "20261207.mp3"));
    HttpNote note;
    const QJsonObject result = note.SendFileAndOldFileName("update", "old.png", path);
    QCOMPARE(result.value("flag").toInt(), 1);
    QCOMPARE(result.value("temporary").toString(), QStringLiteral("20261207.mp3"));
    const StubRequest &req = stub.requests.last();
    QCOMPARE(req.path, QByteArray("/android/note/updateImage"));
    QVERIFY(req.header("Content-Type").startsWith("multipart/form-data; boundary="));
    const QByteArray body = req.body;
    const int a = body.indexOf("form-data; name=\"addUpdate\"");
    const int b = body.indexOf("form-data; name=\"oldFileName\"");
    const int c = body.indexOf("form-data; name=\"bitmap\"; filename=\"" + QString("语音 备忘.mp3").toUtf8() + "\"");
    QVERIFY(a >= 0 && b > a && c > b);
    QVERIFY(body.indexOf("\r\n\r\nupdate\r\n") > a);
    QVERIFY(body.indexOf("\r\n\r\nold.png\r\n") > b);
    QVERIFY(body.indexOf("application/octet-stream") > b);
    QVERIFY(body.indexOf(bytes) > c);
}

void TestHttp::getPixmap()
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    stub.enqueue(StubResponse::raw(200, png, "image/png"));
    stub.enqueue(StubResponse::raw(404, "missing", "text/plain"));
    stub.enqueue(StubResponse::raw(200, "<html/>", "text/html"));
    Http http;
    QString url = Property().getHostURL() + "/account/note/a.png";
    QScopedPointer<QPixmap> ok(http.getPixmap(url));
    QCOMPARE(ok->size(), QSize(8, 6));
    QScopedPointer<QPixmap> missing(http.getPixmap(url));
    QVERIFY(missing && missing->isNull());
    QScopedPointer<QPixmap> notImage(http.getPixmap(url));
    QVERIFY(notImage && notImage->isNull());
    QCOMPARE(stub.requests.last().method, QByteArray("GET"));
    QCOMPARE(stub.requests.last().path, QByteArray("/account/note/a.png"));
}

void TestHttp::nestedWaitsReturnInTheirOwnOrder()
{
    // The first request is held until the second one (started during the
    // first wait) has been answered: each wait ends with its own reply.
    QList<QPair<QString, QByteArray>> order;
    stub.setHandler([](const StubRequest &r) { return StubResponse::envelope(1, QString::fromUtf8(r.path)); });
    Http outer;
    Http inner;
    QTimer::singleShot(0, [&] {
        order.append({"inner", inner.SendData("remind/add", QJsonObject{}).value("temporary").toString().toUtf8()});
    });
    const QJsonObject r = outer.SendData("note/add", QJsonObject{});
    order.append({"outer", r.value("temporary").toString().toUtf8()});
    QTRY_COMPARE(order.size(), 2);
    for (const auto &o : order)
        QCOMPARE(o.second, o.first == "inner" ? QByteArray("/android/remind/add") : QByteArray("/android/note/add"));
    stub.setHandler(nullptr);
}

void TestHttp::serverDown()
{
    // An empty 200 body is no envelope: flag -1 without text.
    stub.enqueue(StubResponse::raw(200, "", "text/plain"));
    Http http;
    QCOMPARE(http.SendData("user/login", QJsonObject{}), (QJsonObject{{"flag", -1}}));
    stub.close();
    QCOMPARE(http.SendData("user/login", QJsonObject{}),
             (QJsonObject{{"flag", -1}, {"temporary", kNetworkFailure}}));
    QVERIFY(stub.listen(8091));
}

QTEST_MAIN(TestHttp)
#include "tst_http.moc"
