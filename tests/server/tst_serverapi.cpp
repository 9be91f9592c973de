// Every JSON operation of the server, through the client's own endpoint classes.
#include <QDate>
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

QString day(int offset) { return QDate::currentDate().addDays(offset).toString("yyyy-MM-dd"); }
QString stamp(int daysBack) { return QDateTime::currentDateTime().addDays(-daysBack).toString("yyyy-MM-dd HH:mm:ss"); }
QJsonObject write(const QJsonObject &record) { return QJsonObject{{"dList", QJsonArray{record}}}; }
QJsonObject listRequest(const QString &condition, int pageSize = 0, int curPage = 1, const QString &order = "desc")
{
    return QJsonObject{{"conditionStr", condition}, {"curPage", curPage}, {"order", order}, {"pageSize", pageSize}};
}

QJsonObject registration(const QString &name, const QString &password)
{
    return QJsonObject{{"username", name},  {"password", password}, {"realName", "张三"},
                       {"telephone", ""},   {"eMail", "a@b.c"},      {"comment", ""},
                       {"prohibit", "正常"}, {"grade", 1},           {"registerDate", stamp(0)}};
}

QJsonObject note(const QString &owner, const QString &mold, const QString &remindDate, int days, const QString &isRemind)
{
    return QJsonObject{{"id", 0},           {"isRemind", isRemind},   {"isShow", "展示"},        {"grade", 3},
                       {"mold", mold},      {"title", "标题 " + mold}, {"content", "<p>内容</p>"}, {"address", ""},
                       {"registerDate", stamp(1)}, {"updateDate", stamp(0)}, {"remindDate", remindDate},
                       {"remindMethod", ""}, {"remindMethodBody", ""}, {"remindDateNumber", days}, {"comment", "it's"},
                       {"image", ""},        {"volume", ""},           {"loginName", owner},      {"remindFrequency", ""}};
}

} // namespace

class TestServerApi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void registrationAndLogin();
    void userUpdateKeepsWhatItDoesNotCarry();
    void recordsRoundTripWithTheirTypes();
    void pagingOrderAndTotals();
    void conditionsFromTheWindows();
    void dueRowsAndTags();
    void messagesForTheLoginChecks();
    void summaryCountsPerUserAndForAdministrators();
    void refusedRequestsChangeNothing();

private:
    ServerProcess server{false};
};

void TestServerApi::registrationAndLogin()
{
    HttpUser users;
    QJsonObject r = users.add(write(registration("alice", "secret1")));
    QCOMPARE(r.value("flag").toInt(), 1);
    r = users.add(write(registration("alice", "other")));
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(!r.value("temporary").toString().isEmpty());

    r = users.login(write(QJsonObject{{"username", "alice"}, {"password", "wrong"}}));
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(r.value("temporary").toString().contains("密码"));
    r = users.login(write(QJsonObject{{"username", "nobody"}, {"password", "secret1"}}));
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(!r.value("temporary").toString().isEmpty());
    QVERIFY(!r.value("temporary").toString().contains("密码"));

    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    r = users.login(write(QJsonObject{{"username", "alice"}, {"password", "secret1"}}));
    QCOMPARE(r.value("flag").toInt(), 1);
    const QJsonObject user = r.value("dList").toArray().first().toObject();
    QCOMPARE(user.value("username").toString(), QString("alice"));
    QCOMPARE(user.value("password").toString(), QString("secret1"));
    QCOMPARE(user.value("grade"), QJsonValue(1));
    QVERIFY(user.value("id").isDouble());
    QCOMPARE(user.value("realName").toString(), QString("张三"));
    const QDateTime loginDate = QDateTime::fromString(user.value("loginDate").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(loginDate >= before);

    // Lists never carry the stored hash.
    const QJsonArray all = ServerProcess::rows("user");
    QCOMPARE(all.size(), 1);
    QCOMPARE(all.first().toObject().value("password").toString(), QString());
    QCOMPARE(all.first().toObject().value("loginDate"), user.value("loginDate"));
}

void TestServerApi::userUpdateKeepsWhatItDoesNotCarry()
{
    HttpUser users;
    QCOMPARE(users.add(write(registration("bob", "pw1"))).value("flag").toInt(), 1);
    QJsonObject user = users.login(write(QJsonObject{{"username", "bob"}, {"password", "pw1"}}))
                           .value("dList").toArray().first().toObject();

    // The password dialog's twelve keys, without eMail and administrator.
    QJsonObject change{{"id", user.value("id")}, {"username", "bob"}, {"password", "pw2"}, {"realName", "Bob"},
                       {"telephone", "12345678901"}, {"grade", 1}, {"registerDate", user.value("registerDate")},
                       {"userImage", ""}, {"loginDate", user.value("loginDate")}, {"prohibit", "正常"},
                       {"prohibitCause", ""}, {"comment", "c"}};
    QCOMPARE(users.update(write(change)).value("flag").toInt(), 1);
    QCOMPARE(users.login(write(QJsonObject{{"username", "bob"}, {"password", "pw1"}})).value("flag").toInt(), -1);
    QCOMPARE(users.login(write(QJsonObject{{"username", "bob"}, {"password", "pw2"}})).value("flag").toInt(), 1);
    QJsonObject stored = ServerProcess::rows("user", " and username like '%bob%'").first().toObject();
    QCOMPARE(stored.value("eMail").toString(), QString("a@b.c"));
    QCOMPARE(stored.value("realName").toString(), QString("Bob"));

    // Sending back the password it holds (profile) or the empty one of a list
    // (administration) leaves the password as it is.
    QCOMPARE(users.update(write(change)).value("flag").toInt(), 1);
    stored.insert("comment", "from the list");
    QCOMPARE(users.update(write(stored)).value("flag").toInt(), 1);
    QCOMPARE(users.login(write(QJsonObject{{"username", "bob"}, {"password", "pw2"}})).value("flag").toInt(), 1);
    QCOMPARE(ServerProcess::rows("user", " and comment = 'from the list'").size(), 1);

    // Renaming onto a taken name is refused.
    QJsonObject rename{{"id", user.value("id")}, {"username", "alice"}};
    QCOMPARE(users.update(write(rename)).value("flag").toInt(), -1);
    QCOMPARE(users.update(write(QJsonObject{{"id", 99999}, {"comment", "x"}})).value("flag").toInt(), -1);

    QJsonObject gone{{"id", user.value("id")}, {"username", "bob"}, {"password", ""}, {"grade", 1}};
    QCOMPARE(users.delete1(write(gone)).value("flag").toInt(), 1);
    QCOMPARE(users.login(write(QJsonObject{{"username", "bob"}, {"password", "pw2"}})).value("flag").toInt(), -1);
}

void TestServerApi::recordsRoundTripWithTheirTypes()
{
    HttpWorkPlan plans;
    QJsonObject plan{{"id", 0}, {"serialNumber", 3}, {"score", 88}, {"remindDateNumber", 2},
                     {"completionStatus", 0.75}, {"mold", "月计划"}, {"isShow", "正常"}, {"tag", "健身"},
                     {"title", "跑步"}, {"target", "t"}, {"gainProfit", "g"}, {"startDate", day(0)},
                     {"endDate", day(30)}, {"strategy", "s"}, {"measurableIndicator", "m"}, {"actionPlan", "a"},
                     {"needResources", "n"}, {"difficulty", "d"}, {"auditor", "au"}, {"registerDate", stamp(0)},
                     {"updateDate", stamp(0)}, {"isRemind", "开启"}, {"remindMethod", "邮件"},
                     {"remindMethodBody", "x@y.z"}, {"remindFrequency", ""}, {"remindDate", day(5)},
                     {"image", ""}, {"comment", "引号 ' 和 \""}, {"loginName", "alice"}};
    QJsonObject r = plans.add(QJsonObject{{"conditionStr", "and isShow = '正常'  and loginName = 'alice' "},
                                          {"dList", QJsonArray{plan}}});
    QCOMPARE(r.value("flag").toInt(), 1);
    QJsonObject stored = plans.findByCondition(listRequest(" and loginName ='alice'", 30)).value("dList")
                             .toArray().first().toObject();
    QVERIFY(stored.value("id").toInt() > 0);
    plan.insert("id", stored.value("id"));
    QCOMPARE(stored, plan);

    plan.insert("completionStatus", 1.0);
    plan.insert("isShow", "完成");
    QCOMPARE(plans.update(write(plan)).value("flag").toInt(), 1);
    stored = plans.findByCondition(listRequest(" and isShow ='完成'", 30)).value("dList").toArray().first().toObject();
    QCOMPARE(stored, plan);
    // The plan window deletes by id (and image) only.
    QCOMPARE(plans.delete1(write(QJsonObject{{"id", plan.value("id")}, {"image", ""}})).value("flag").toInt(), 1);
    QCOMPARE(plans.findByCondition(listRequest("")).value("totalCount").toInt(), 0);
    QCOMPARE(plans.delete1(write(QJsonObject{{"id", plan.value("id")}})).value("flag").toInt(), -1);

    HttpAccount accounts;
    QJsonObject account{{"id", 0}, {"accountName", "邮箱"}, {"username", "me"}, {"password", "p"},
                        {"userRealName", "r"}, {"eMail", "e"}, {"telephone", "t"}, {"information1", "i1"},
                        {"information2", "i2"}, {"registerDate", stamp(3)}, {"updateDate", stamp(0)},
                        {"comment", ""}, {"loginName", "alice"}};
    QCOMPARE(accounts.add(write(account)).value("flag").toInt(), 1);
    stored = accounts.findByCondition(listRequest(" and accountName like '%邮%' and loginName ='alice'", 30))
                 .value("dList").toArray().first().toObject();
    account.insert("id", stored.value("id"));
    QCOMPARE(stored, account);

    HttpRemind reminds;
    QJsonObject remind{{"id", 0}, {"isRemind", "开启"}, {"mold", "生日"}, {"title", "t"}, {"content", "c"},
                       {"address", "a"}, {"registerDate", stamp(0)}, {"updateDate", stamp(0)},
                       {"remindDate", day(1)}, {"remindMethod", ""}, {"remindMethodBody", ""},
                       {"remindDateNumber", 0}, {"comment", ""}, {"loginName", "alice"}};
    QCOMPARE(reminds.add(write(remind)).value("flag").toInt(), 1);
    stored = reminds.findByCondition(listRequest("")).value("dList").toArray().first().toObject();
    remind.insert("id", stored.value("id"));
    QCOMPARE(stored, remind);
    // The reminder window deletes with the whole request object, stale keys included.
    QJsonObject del = listRequest(" and loginName ='alice'", 30);
    del.insert("dList", QJsonArray{remind});
    QCOMPARE(reminds.delete1(del).value("flag").toInt(), 1);
    QCOMPARE(reminds.findByCondition(listRequest("")).value("totalCount").toInt(), 0);

    HttpMessage messages;
    QJsonObject message{{"id", 0}, {"appOS", "windows"}, {"showSwitchStr", "展示"}, {"mold", "about"},
                        {"flag", 1.5}, {"grade", 0}, {"addDate", stamp(0)}, {"showDate", stamp(1)},
                        {"showEndDate", stamp(-1)}, {"comment", ""}, {"message", "<p>关于</p>"}};
    QCOMPARE(messages.add(write(message)).value("flag").toInt(), 1);
    stored = messages.findByCondition(listRequest("")).value("dList").toArray().first().toObject();
    message.insert("id", stored.value("id"));
    QCOMPARE(stored, message);
    QCOMPARE(messages.delete1(write(message)).value("flag").toInt(), 1);
}

void TestServerApi::pagingOrderAndTotals()
{
    HttpNote notes;
    for (int i = 0; i < 7; ++i)
        QCOMPARE(notes.add(write(note("pager", QString("其它%1").arg(i), "", 0, "关闭"))).value("flag").toInt(), 1);
    const QString mine = " and loginName ='pager'";
    QJsonObject page = notes.findByCondition(listRequest(mine, 3, 1));
    QCOMPARE(page.value("totalCount").toInt(), 7);
    QJsonArray rows = page.value("dList").toArray();
    QCOMPARE(rows.size(), 3);
    QVERIFY(rows.at(0).toObject().value("id").toInt() > rows.at(1).toObject().value("id").toInt());
    QCOMPARE(notes.findByCondition(listRequest(mine, 3, 3)).value("dList").toArray().size(), 1);
    QCOMPARE(notes.findByCondition(listRequest(mine, 3, 4)).value("dList").toArray().size(), 0);
    QCOMPARE(notes.findByCondition(listRequest(mine, 0, 1)).value("dList").toArray().size(), 7);
    rows = notes.findByCondition(listRequest(mine, 2, 1, "asc")).value("dList").toArray();
    QCOMPARE(rows.at(0).toObject().value("mold").toString(), QString("其它0"));
    rows = notes.findByCondition(listRequest(mine, 2, 1, "DESC")).value("dList").toArray();
    QCOMPARE(rows.at(0).toObject().value("mold").toString(), QString("其它6"));
    // A list reply is the data object itself: no flag.
    QVERIFY(!page.contains("flag"));
}

void TestServerApi::conditionsFromTheWindows()
{
    HttpNote notes;
    QCOMPARE(notes.add(write(note("carol", "学习笔记", day(-2), 1, "开启"))).value("flag").toInt(), 1);
    QCOMPARE(notes.add(write(note("carol", "工作笔记", day(10), 1, "开启"))).value("flag").toInt(), 1);
    const QString owner = " and loginName ='carol'";
    auto total = [&](const QString &c) { return notes.findByCondition(listRequest(c, 30)).value("totalCount").toInt(); };
    QCOMPARE(total(owner + "and isShow ='展示'"), 2);
    QCOMPARE(total(owner + " and mold ='学习笔记' and isShow ='展示'"), 1);
    QCOMPARE(total(owner + "and isRemind = '开启' and isShow ='展示' and date(remindDate) < '" + day(0) + "'"), 1);
    QCOMPARE(total(owner + "and isRemind = '开启' and isShow ='展示' and date(remindDate) between '" + day(8) + "' and '"
                   + day(15) + "'"),
             1);
    QCOMPARE(total(owner + " and comment like '%it''s%'"), 2);
    QCOMPARE(total(owner + " and grade between 1 and 3 "), 2);
    QCOMPARE(total(owner + " and (image is null or image ='') "), 2);
    QCOMPARE(total(" and 1=1 " + owner), 2);
    HttpUser users;
    QCOMPARE(users.findByCondition(listRequest(" and date(registerDate) between '" + stamp(1) + "' and '" + stamp(0) + "'"))
                 .value("totalCount").toInt(),
             1);
}

void TestServerApi::dueRowsAndTags()
{
    HttpRemind reminds;
    auto remind = [](const QString &date, int days, const QString &on) {
        return QJsonObject{{"isRemind", on}, {"mold", "事件"}, {"title", date}, {"remindDate", date},
                           {"remindDateNumber", days}, {"loginName", "dave"}};
    };
    QCOMPARE(reminds.add(write(remind(day(-5), 0, "开启"))).value("flag").toInt(), 1); // overdue
    QCOMPARE(reminds.add(write(remind(day(3), 3, "开启"))).value("flag").toInt(), 1);  // lead time reached
    QCOMPARE(reminds.add(write(remind(day(4), 3, "开启"))).value("flag").toInt(), 1);  // not yet
    QCOMPARE(reminds.add(write(remind(day(-1), 0, "关闭"))).value("flag").toInt(), 1); // switched off
    QCOMPARE(reminds.add(write(remind(day(0), 0, "开启"))).value("flag").toInt(), 1);  // today
    const QJsonObject due = reminds.findByRemindDay(listRequest("and isRemind = '开启' and loginName ='dave'"));
    QCOMPARE(due.value("totalCount").toInt(), 3);
    QStringList titles;
    for (const QJsonValue &v : due.value("dList").toArray())
        titles << v.toObject().value("title").toString();
    QCOMPARE(titles, (QStringList{day(0), day(3), day(-5)}));

    HttpWorkPlan plans;
    for (const char *tag : {"健身", "", "读书", "健身", "旅行"}) {
        QJsonObject plan{{"isShow", "正常"}, {"tag", QString::fromUtf8(tag)}, {"loginName", "dave"}};
        QCOMPARE(plans.add(write(plan)).value("flag").toInt(), 1);
    }
    QCOMPARE(plans.add(write(QJsonObject{{"isShow", "完成"}, {"tag", "完成的"}, {"loginName", "dave"}})).value("flag").toInt(), 1);
    const QJsonObject tags = plans.findTags(QJsonObject{{"conditionStr", "and isShow = '正常'  and loginName = 'dave' "}});
    QCOMPARE(tags.value("flag").toInt(), 1);
    QCOMPARE(tags.value("temporary").toString(), QString("健身-读书-旅行"));
    const QJsonObject duePlans = plans.findByRemindDay(listRequest(" and loginName ='dave' and isShow ='正常' and isRemind = '开启'"));
    QCOMPARE(duePlans.value("totalCount").toInt(), 0);
}

void TestServerApi::messagesForTheLoginChecks()
{
    HttpMessage messages;
    auto message = [](const QString &os, const QString &mold, const QString &shown, const QString &text) {
        return QJsonObject{{"appOS", os}, {"showSwitchStr", shown}, {"mold", mold}, {"flag", 1.0}, {"grade", 1},
                           {"addDate", stamp(0)}, {"showDate", ""}, {"showEndDate", ""}, {"message", text}};
    };
    QCOMPARE(messages.add(write(message("windows", "reminder", "展示", "A"))).value("flag").toInt(), 1);
    QCOMPARE(messages.add(write(message("windows", "reminder", "展示", "B"))).value("flag").toInt(), 1);
    QCOMPARE(messages.add(write(message("android", "reminder", "展示", "C"))).value("flag").toInt(), 1);
    QCOMPARE(messages.add(write(message("windows", "reminder", "隐藏", "D"))).value("flag").toInt(), 1);
    QCOMPARE(messages.add(write(message("windows", "about", "展示", "E"))).value("flag").toInt(), 1);
    QJsonObject r = messages.findByCondition(QJsonObject{
        {"conditionStr", "and appOS = 'windows' and mold = 'reminder' and showSwitchStr = '展示'"}, {"order", "DESC"}});
    QJsonArray rows = r.value("dList").toArray();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).toObject().value("message").toString(), QString("B"));
    QVERIFY(rows.at(0).toObject().value("flag").isDouble());
    r = messages.findByCondition(QJsonObject{{"conditionStr", " and appOS='windows' and mold = 'about' and showSwitchStr = '展示'"},
                                             {"curPage", 1}, {"order", "DESC"}, {"pageSize", 30}});
    QCOMPARE(r.value("dList").toArray().size(), 1);
}

void TestServerApi::summaryCountsPerUserAndForAdministrators()
{
    HttpUser users;
    QJsonObject admin = registration("root", "rootpw");
    admin.insert("grade", 5);
    // Registration is open to anyone, so it never makes an administrator; an update does.
    QJsonObject r = users.add(write(admin));
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(ServerProcess::rows("user", "and username ='root'").isEmpty());
    admin.insert("grade", 1);
    QCOMPARE(users.add(write(admin)).value("flag").toInt(), 1);
    admin.insert("id", ServerProcess::rows("user", "and username ='root'").first().toObject().value("id").toInt());
    admin.insert("grade", 5);
    admin.remove("password");
    QCOMPARE(users.update(write(admin)).value("flag").toInt(), 1);
    HttpNote notes;
    r = notes.findOfSummary(QJsonObject{{"temporary", "alice"}});
    QCOMPARE(r.value("flag").toInt(), 1);
    QStringList parts = r.value("temporary").toString().split('-');
    QCOMPARE(parts.size(), 17);
    QCOMPARE(parts.at(0), QString("0"));
    r = notes.findOfSummary(QJsonObject{{"temporary", "root"}});
    parts = r.value("temporary").toString().split('-');
    QCOMPARE(parts.at(0).toInt(), ServerProcess::rows("note", "and isShow ='展示'").size());
    QVERIFY(parts.at(0).toInt() >= 9);
    QCOMPARE(HttpRemind().findOfSummary(QJsonObject{{"temporary", "root"}}).value("temporary").toString().split('-').size(), 7);
    QCOMPARE(HttpWorkPlan().findOfSummary(QJsonObject{{"temporary", "root"}}).value("temporary").toString().split('-').size(), 15);
    QCOMPARE(HttpAccount().findOfSummary(QJsonObject{{"temporary", "root"}}).value("temporary").toString().split('-').size(), 7);
    QCOMPARE(users.findOfSummary(QJsonObject{{"temporary", "root"}}).value("temporary").toString().split('-').size(), 7);
    QCOMPARE(HttpMessage().findOfSummary(QJsonObject{{"temporary", "root"}}).value("temporary").toString().split('-').size(), 7);
    QCOMPARE(notes.findOfSummary(QJsonObject{{"temporary", "nobody"}}).value("flag").toInt(), -1);
}

void TestServerApi::refusedRequestsChangeNothing()
{
    HttpNote notes;
    const int before = ServerProcess::rows("note").size();
    QJsonObject r = notes.findByCondition(listRequest(" and 1=1; drop table note"));
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(!r.value("temporary").toString().isEmpty());
    QCOMPARE(notes.findByCondition(listRequest(" and password = 'x'")).value("flag").toInt(), -1);
    QCOMPARE(notes.findByCondition(listRequest(" and loginName = 'x' or 1=1) --")).value("flag").toInt(), -1);
    QCOMPARE(HttpUser().findByCondition(listRequest(" and password like '%a%'")).value("flag").toInt(), -1);
    QCOMPARE(notes.findByCondition(QJsonObject{{"pageSize", "30"}}).value("flag").toInt(), -1);
    QCOMPARE(notes.findByCondition(QJsonObject{{"conditionStr", 5}}).value("flag").toInt(), -1);
    QCOMPARE(notes.add(write(QJsonObject{{"title", 5}})).value("flag").toInt(), -1);
    QCOMPARE(notes.add(write(QJsonObject{{"grade", "high"}})).value("flag").toInt(), -1);
    QCOMPARE(notes.add(write(QJsonObject{{"grade", 1.5}})).value("flag").toInt(), -1);
    QCOMPARE(notes.add(QJsonObject{{"dList", "x"}}).value("flag").toInt(), -1);
    QJsonObject twoRows{{"dList", QJsonArray{note("eve", "其它", "", 0, "关闭"), QJsonObject{{"grade", "bad"}}}}};
    QCOMPARE(notes.add(twoRows).value("flag").toInt(), -1);
    QCOMPARE(ServerProcess::call("nothing", "add", write(QJsonObject{})).value("flag").toInt(), -1);
    QCOMPARE(ServerProcess::call("message", "login", write(QJsonObject{})).value("flag").toInt(), -1);
    QCOMPARE(ServerProcess::call("note", "findTags", QJsonObject{}).value("flag").toInt(), -1);
    QCOMPARE(ServerProcess::rows("note").size(), before);
}

QTEST_MAIN(TestServerApi)
#include "tst_serverapi.moc"
