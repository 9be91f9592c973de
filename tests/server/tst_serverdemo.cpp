// The demo data: who can log in, what the log-in checks and the dashboard find.
#include <QDateTime>
#include <QJsonArray>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "dashboardpresets.h"
#include "domainui.h"
#include "domainuser.h"

#include "httpaccount.h"
#include "httpmessage.h"
#include "httpnote.h"
#include "httpremind.h"
#include "httpuser.h"
#include "httpworkplan.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "wordwindow.h"
#include "workplanwindow.h"

namespace {

QJsonObject login(const QString &name, const QString &password)
{
    return HttpUser().login(QJsonObject{{"dList", QJsonArray{QJsonObject{{"password", password}, {"username", name}}}}});
}

// The ids of every row of the plan window's tree, at any depth.
QSet<int> shownPlans(const WorkPlanWindow &window)
{
    const QAbstractItemModel *model = window.findChild<QTreeView *>("treeView")->model();
    QSet<int> ids;
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int r = 0; r < model->rowCount(parent); ++r) {
            ids << model->index(r, 28, parent).data().toInt();
            walk(model->index(r, 0, parent));
        }
    };
    walk(QModelIndex());
    return ids;
}

QSet<int> idsOf(const QJsonArray &rows)
{
    QSet<int> ids;
    for (const QJsonValue &v : rows)
        ids << v.toObject().value("id").toInt();
    return ids;
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
    void planTreesShowEveryListedPlan();
    void plainTextOutsideNotes();
    void notesAsTheEditorWritesThem();
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
        // Open plans of the kind "其它" hang only under day plans, which the
        // demo's tree already holds five levels deep: there are none.
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
            for (int i = 0; i < counts.size(); ++i)
                QVERIFY2(counts.at(i).toInt() > 0 || (reply.second == 15 && i == 6),
                         qPrintable(user + ": " + reply.first.value("temporary").toString()));
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

void TestServerDemo::planTreesShowEveryListedPlan()
{
    const QStringList buttons{"pushButton_workPlanTotal", "pushButton_yearPlan", "pushButton_quarterPlan",
                              "pushButton_monthPlan", "pushButton_weekPlan", "pushButton_dayPlan",
                              "pushButton_otherPlan", "pushButton_completePlan", "pushButton_workPlanImage",
                              "pushButton_workPlanExpired", "pushButton_workPlanToday", "pushButton_workPlan7Day",
                              "pushButton_workPlan15Day", "pushButton_workPlan30Day", "pushButton_workPlan30OverDay"};
    for (const auto &who : {qMakePair(QString("demo"), 1), qMakePair(QString("admin"), 5)}) {
        WorkPlanWindow window;
        DomainUser user;
        user.setUsername(who.first);
        user.setGrade(who.second);
        window.receiveUser(user, 1);
        const QString owner = who.second < 5 ? " and loginName ='" + who.first + "'" : QString();
        for (const QString &button : buttons) {
            const QString condition = DashboardPresets::of(button, QDateTime::currentDateTime()).condition;
            DomainUi preset;
            preset.setConditionStr(condition);
            preset.setCurPage(1);
            preset.setPageSize(1000);
            window.receiveDomainUi(preset);
            const QSet<int> listed = idsOf(ServerProcess::rows("workPlan", owner + condition));
            QVERIFY2(!listed.isEmpty() || button == "pushButton_otherPlan", qPrintable(who.first + " " + button));
            QCOMPARE(shownPlans(window), listed);
        }
        if (who.second >= 5)
            continue;
        // The due plans that the opening offers to show.
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("处理计划提示"), QStringLiteral("条计划需要处理"), QStringLiteral("查看"));
        window.receiveSignal();
        QVERIFY(answerer.allAnswered());
        const QSet<int> due = idsOf(HttpWorkPlan()
                                        .findByRemindDay(QJsonObject{{"conditionStr", owner + " and isShow ='正常' and isRemind = '开启'"},
                                                                     {"curPage", 1}, {"order", "desc"}, {"pageSize", 0}})
                                        .value("dList").toArray());
        QVERIFY(!due.isEmpty());
        QCOMPARE(shownPlans(window), due);
    }
}

void TestServerDemo::plainTextOutsideNotes()
{
    // Only a note's content is rich text; no other cell may show markup.
    static const QRegularExpression tag(QStringLiteral("<[a-zA-Z/][^>]*>"));
    for (const char *entity : {"workPlan", "remind", "accountInfo"})
        for (const QJsonValue &row : ServerProcess::rows(QString::fromLatin1(entity))) {
            const QJsonObject o = row.toObject();
            for (auto it = o.begin(); it != o.end(); ++it)
                QVERIFY2(!it.value().toString().contains(tag), qPrintable(QString::fromLatin1(entity) + ": " + it.value().toString()));
        }
}

void TestServerDemo::notesAsTheEditorWritesThem()
{
    // The note editor reads each demo note back unchanged, formatting included.
    const QJsonArray notes = ServerProcess::rows(QStringLiteral("note"));
    QVERIFY(!notes.isEmpty());
    for (const QJsonValue &row : notes) {
        const QString content = row.toObject().value("content").toString();
        WordWindow editor;
        editor.setHtmlContent(content);
        QCOMPARE(editor.getHtmlContent(), content);
    }
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
