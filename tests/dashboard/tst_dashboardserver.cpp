// The dashboard against the real server with its demo data: log-in through
// the real dialog, the grade gate, and every count equal to the total that
// the matching preset query gives when sent to the server directly.
#include <QAction>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "dashboardpresets.h"
#include "logindialog.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "summarywindow.h"

namespace {

struct Count {
    const char *key;
    const char *button;
};

// Every count with its view button, by module entity.
const QList<QPair<QString, QList<Count>>> kCounts{
    {"remind",
     {{"remindTotal", "pushButton_remindTotal"}, {"remindExpired", "pushButton_remindExpired"},
      {"remindToday", "pushButton_remindToday"}, {"remind7Day", "pushButton_remind7Day"},
      {"remind15Day", "pushButton_remind15Day"}, {"remind30Day", "pushButton_remind30Day"},
      {"remind30OverDay", "pushButton_remind30OverDay"}}},
    {"note",
     {{"noteTotal", "pushButton_noteTotal"}, {"noteGuide", "pushButton_noteGuide"},
      {"noteStudy", "pushButton_noteStudy"}, {"noteWork", "pushButton_noteWork"},
      {"noteReadbook", "pushButton_noteReadbook"}, {"noteSense", "pushButton_noteSense"},
      {"notelift", "pushButton_notelift"}, {"noteOther", "pushButton_noteOther"},
      {"noteExpired", "pushButton_noteExpired"}, {"noteToday", "pushButton_noteToday"},
      {"note7Day", "pushButton_note7Day"}, {"note15Day", "pushButton_note15Day"},
      {"note30Day", "pushButton_note30Day"}, {"note30OverDay", "pushButton_30OverDay"},
      {"noteImage", "pushButton_noteImage"}, {"noteVolume", "pushButton_noteVolume"},
      {"noteAttachedFile", "pushButton_noteAttachedFile"}}},
    {"workPlan",
     {{"workPlanTotal", "pushButton_workPlanTotal"}, {"yearPlan", "pushButton_yearPlan"},
      {"quarterPlan", "pushButton_quarterPlan"}, {"monthPlan", "pushButton_monthPlan"},
      {"weekPlan", "pushButton_weekPlan"}, {"dayPlan", "pushButton_dayPlan"},
      {"otherPlan", "pushButton_otherPlan"}, {"completePlan", "pushButton_completePlan"},
      {"workPlanExpired", "pushButton_workPlanExpired"}, {"workPlanToday", "pushButton_workPlanToday"},
      {"workPlan7Day", "pushButton_workPlan7Day"}, {"workPlan15Day", "pushButton_workPlan15Day"},
      {"workPlan30Day", "pushButton_workPlan30Day"}, {"workPlan30OverDay", "pushButton_workPlan30OverDay"},
      {"workPlanImage", "pushButton_workPlanImage"}}},
    {"accountInfo",
     {{"accountTotal", "pushButton_accountTotal"}, {"account1Month", "pushButton_account1Month"},
      {"account6Month", "pushButton_account6Month"}, {"account12Month", "pushButton_account12Month"},
      {"account2Year", "pushButton_account2Year"}, {"account5Year", "pushButton_account5Year"},
      {"account6Year", "pushButton_account6Year"}}},
    {"user",
     {{"userTotal", "pushButton_userTotal"}, {"userToday", "pushButton_userToday"},
      {"user7Day", "pushButton_user7Day"}, {"user1Month", "pushButton_user1Month"},
      {"user6Month", "pushButton_user6Month"}, {"user1Year", "pushButton_user1Year"},
      {"userLogin30", "pushButton_userLogin30"}}},
    {"message",
     {{"messageTotal", "pushButton_messageTotal"}, {"messageWindows", "pushButton_messageWindows"},
      {"messageAndroid", "pushButton_messageAndroid"}, {"messageWebMobile", "pushButton_messageWebMobile"},
      {"messageWebDesk", "pushButton_messageWebDesk"}, {"messageRemind", "pushButton_messageRemind"},
      {"messageAbout", "pushButton_messageAbout"}}},
};

// The number in a count label such as " 3 条" or "12 件".
int shownCount(const QLabel *label, bool *ok)
{
    QString text = label->text().trimmed();
    text.chop(1);
    return text.trimmed().toInt(ok);
}

} // namespace

class TestDashboardServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void administrator();
    void user();
    void viewButtonsListTheCountedRows();

private:
    // Logs in through the real dialog; the dashboard and the dialog stay alive for the checks.
    bool logIn(SummaryWindow &window, LoginDialog &dialog, const QString &name, const QString &password);
    void compareCounts(SummaryWindow &window, const QString &owner, const QStringList &entities);

    ServerProcess server{true};
};

void TestDashboardServer::initTestCase()
{
    QVERIFY(server.start());
}

bool TestDashboardServer::logIn(SummaryWindow &window, LoginDialog &dialog, const QString &name,
                                const QString &password)
{
    QObject::connect(&dialog, SIGNAL(sendUser(DomainUser&)), &window, SLOT(receiveUser(DomainUser&)));
    dialog.show(); // shown rather than run, so that only the boxes it opens are modal
    ModalAnswerer answerer;
    // the demo data's reminder for Windows clients
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("欢迎使用演示数据"), QStringLiteral("知道了"));
    QTest::keyClicks(dialog.findChild<QLineEdit *>("userLineEdit"), name);
    QTest::keyClicks(dialog.findChild<QLineEdit *>("pwdLineEdit"), password);
    QTest::mouseClick(dialog.findChild<QPushButton *>("loginPushButton"), Qt::LeftButton);
    if (!answerer.problems().isEmpty())
        qWarning() << answerer.problems();
    return dialog.result() == QDialog::Accepted && answerer.problems().isEmpty() && answerer.allAnswered();
}

void TestDashboardServer::compareCounts(SummaryWindow &window, const QString &owner, const QStringList &entities)
{
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto &module : kCounts) {
        if (!entities.contains(module.first))
            continue;
        for (const Count &c : module.second) {
            QString condition = DashboardPresets::of(QString::fromLatin1(c.button), now).condition;
            // the owner goes where the receiving window puts it
            if (module.first == QLatin1String("note") || module.first == QLatin1String("workPlan"))
                condition = owner + condition;
            else if (module.first == QLatin1String("remind") || module.first == QLatin1String("accountInfo"))
                condition += owner;
            QJsonObject request{{"curPage", 1}, {"pageSize", 1}, {"order", "desc"}};
            if (!condition.isEmpty())
                request.insert("conditionStr", condition);
            const QJsonObject reply = ServerProcess::call(module.first, QStringLiteral("findByCondition"), request);
            QVERIFY2(reply.value("dList").isArray(), qPrintable(module.first + condition));
            const int total = reply.value("totalCount").toInt(-1);

            auto *label = window.findChild<QLabel *>(QStringLiteral("label_") + QLatin1String(c.key));
            QVERIFY(label);
            bool ok = false;
            const int shown = shownCount(label, &ok);
            QVERIFY2(ok, qPrintable(label->text()));
            QVERIFY2(shown == total, qPrintable(QStringLiteral("%1: shown %2, server %3 for \"%4\"")
                                                    .arg(QLatin1String(c.key)).arg(shown).arg(total).arg(condition)));
            auto *button = window.findChild<QPushButton *>(QLatin1String(c.button));
            QCOMPARE(button->isHidden(), total == 0);
        }
    }
}

void TestDashboardServer::administrator()
{
    SummaryWindow window;
    LoginDialog dialog;
    QVERIFY(logIn(window, dialog, QStringLiteral("admin"), QStringLiteral("admin123")));
    window.show();
    QVERIFY(window.findChild<QAction *>("userManagerAction")->isVisible());
    QVERIFY(window.findChild<QAction *>("messageAction")->isVisible());
    QVERIFY(window.findChild<QGroupBox *>("groupBox_user")->isVisible());
    QVERIFY(window.findChild<QGroupBox *>("groupBox_message")->isVisible());
    QCOMPARE(window.windowTitle(), QStringLiteral("admin您好，欢迎使用岚舟管理系统！ 软件版本：V1.00"));
    compareCounts(window, QString(),
                  {"remind", "note", "workPlan", "accountInfo", "user", "message"});
    // the demo data has rows behind the totals
    QVERIFY(window.findChild<QPushButton *>("pushButton_noteTotal")->isVisible());
    QVERIFY(window.findChild<QPushButton *>("pushButton_userTotal")->isVisible());
}

void TestDashboardServer::user()
{
    SummaryWindow window;
    LoginDialog dialog;
    QVERIFY(logIn(window, dialog, QStringLiteral("demo"), QStringLiteral("demo123")));
    window.show();
    QVERIFY(!window.findChild<QAction *>("userManagerAction")->isVisible());
    QVERIFY(!window.findChild<QAction *>("messageAction")->isVisible());
    QVERIFY(window.findChild<QGroupBox *>("groupBox_user")->isHidden());
    QVERIFY(window.findChild<QGroupBox *>("groupBox_message")->isHidden());
    const QString owner = QStringLiteral(" and loginName ='demo'");
    compareCounts(window, owner, {"remind", "note", "workPlan", "accountInfo"});
}

void TestDashboardServer::viewButtonsListTheCountedRows()
{
    SummaryWindow window;
    LoginDialog dialog;
    QVERIFY(logIn(window, dialog, QStringLiteral("admin"), QStringLiteral("admin123")));
    window.show();
    struct Case {
        const char *key;
        const char *button;
        const char *windowClass;
    };
    const QList<Case> cases{{"noteImage", "pushButton_noteImage", "NoteWindow"},
                            {"noteTotal", "pushButton_noteTotal", "NoteWindow"},
                            {"remind7Day", "pushButton_remind7Day", "RemindWindow"},
                            {"userTotal", "pushButton_userTotal", "UserManagerForm"},
                            {"messageWindows", "pushButton_messageWindows", "MessageWindow"}};
    for (const Case &c : cases) {
        bool ok = false;
        const int counted = shownCount(window.findChild<QLabel *>(QStringLiteral("label_") + QLatin1String(c.key)), &ok);
        QVERIFY(ok && counted > 0 && counted <= 30); // one page holds them all
        QTest::mouseClick(window.findChild<QPushButton *>(QLatin1String(c.button)), Qt::LeftButton);
        QWidget *target = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits(c.windowClass))
                target = w;
        }
        QVERIFY(target && target->isVisible());
        auto *table = target->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
        QVERIFY(table);
        QVERIFY2(table->rowCount() == counted,
                 qPrintable(QStringLiteral("%1: %2 rows listed, %3 counted").arg(c.key).arg(table->rowCount()).arg(counted)));
    }
}

QTEST_MAIN(TestDashboardServer)
#include "tst_dashboardserver.moc"

