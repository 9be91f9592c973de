// The demo data: who can log in, what the log-in checks and the dashboard find.
#include <QDateTime>
#include <QJsonArray>
#include <QtTest>

#include "httpaccount.h"
#include "httpmessage.h"
#include "httpnote.h"
#include "httpremind.h"
#include "httpuser.h"
#include "httpworkplan.h"
#include "serverprocess.h"

namespace {

QJsonObject login(const QString &name, const QString &password)
{
    return HttpUser().login(QJsonObject{{"dList", QJsonArray{QJsonObject{{"password", password}, {"username", name}}}}});
}

QJsonArray messages(const QString &condition)
{
    return HttpMessage().findByCondition(QJsonObject{{"conditionStr", condition}, {"order", "DESC"}}).value("dList").toArray();
}

} // namespace

class TestServerDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void demoUsers();
    void everySummaryCountIsFilled();
    void messagesForTheClient();
    void seedingOnlyIntoAnEmptyStore();

private:
    ServerProcess server{true};
};

void TestServerDemo::demoUsers()
{
    QJsonObject r = login("admin", "admin123");
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(r.value("dList").toArray().first().toObject().value("grade").toInt(), 5);
    r = login("demo", "demo123");
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(r.value("dList").toArray().first().toObject().value("grade").toInt(), 1);
    // The banned user logs in; the client reads the ban from the record.
    r = login("banned", "banned123");
    QCOMPARE(r.value("flag").toInt(), 1);
    const QJsonObject banned = r.value("dList").toArray().first().toObject();
    QVERIFY(banned.value("prohibit").toString().contains("禁止"));
    QVERIFY(!banned.value("prohibitCause").toString().isEmpty());
    QVERIFY(login("demo", "admin123").value("temporary").toString().contains("密码"));
}

void TestServerDemo::everySummaryCountIsFilled()
{
    for (const QString &user : {QString("admin"), QString("demo")}) {
        const QJsonObject request{{"temporary", user}};
        const QList<QPair<QJsonObject, int>> replies{{HttpRemind().findOfSummary(request), 7},
                                                     {HttpNote().findOfSummary(request), 17},
                                                     {HttpWorkPlan().findOfSummary(request), 15},
                                                     {HttpAccount().findOfSummary(request), 7},
                                                     {HttpUser().findOfSummary(request), 7},
                                                     {HttpMessage().findOfSummary(request), 7}};
        for (const auto &reply : replies) {
            QCOMPARE(reply.first.value("flag").toInt(), 1);
            const QStringList counts = reply.first.value("temporary").toString().split('-');
            QCOMPARE(counts.size(), reply.second);
            for (const QString &c : counts)
                QVERIFY2(c.toInt() > 0, qPrintable(user + ": " + reply.first.value("temporary").toString()));
        }
    }
    // A count agrees with the window that its view button opens.
    const QStringList notes = HttpNote().findOfSummary(QJsonObject{{"temporary", "demo"}}).value("temporary").toString().split('-');
    QCOMPARE(ServerProcess::rows("note", " and loginName ='demo'and isShow ='展示'").size(), notes.at(0).toInt());
}

void TestServerDemo::messagesForTheClient()
{
    const QJsonArray reminders = messages("and appOS = 'windows' and mold = 'reminder' and showSwitchStr = '展示'");
    QVERIFY(!reminders.isEmpty());
    const QDateTime now = QDateTime::currentDateTime();
    for (const QJsonValue &v : reminders) {
        const QJsonObject m = v.toObject();
        QVERIFY(m.value("grade").toInt() <= 1); // never forces the program to end
        QVERIFY(QDateTime::fromString(m.value("showDate").toString(), "yyyy-MM-dd HH:mm:ss") <= now);
        QVERIFY(QDateTime::fromString(m.value("showEndDate").toString(), "yyyy-MM-dd HH:mm:ss") >= now);
    }
    const QJsonArray versions = messages("and appOS = 'windows' and mold = 'versions' and showSwitchStr = '展示'");
    QCOMPARE(versions.size(), 1);
    QCOMPARE(versions.first().toObject().value("flag").toDouble(), 1.0);
    QVERIFY(versions.first().toObject().value("grade").toInt() <= 1);
    QVERIFY(!messages("and appOS = 'windows' and mold = 'instructions' and showSwitchStr = '展示'").isEmpty());
    QVERIFY(!messages(" and appOS='windows' and mold = 'about' and showSwitchStr = '展示'").isEmpty());
}

void TestServerDemo::seedingOnlyIntoAnEmptyStore()
{
    const int notes = ServerProcess::rows("note").size();
    server.stop();
    QVERIFY(server.start());
    QCOMPARE(ServerProcess::rows("note").size(), notes);
    QCOMPARE(ServerProcess::rows("user").size(), 3);
}

QTEST_MAIN(TestServerDemo)
#include "tst_serverdemo.moc"
