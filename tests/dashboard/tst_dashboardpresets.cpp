// The dashboard's pure parts: reading the "-" joined counts and the condition
// behind every "查看" button and opener, at a fixed clock.
#include <QtTest>

#include "dashboardcounts.h"
#include "dashboardpresets.h"

class TestDashboardPresets : public QObject
{
    Q_OBJECT

private slots:
    void countsOfReminders();
    void countsOddParts();
    void countsShortAndLong();
    void presetsAtFixedClock_data();
    void presetsAtFixedClock();
    void presetsCoverEveryButton();
};

static QStringList texts(const QList<DashboardCounts::Position> &positions)
{
    QStringList out;
    for (const auto &p : positions)
        out << p.text;
    return out;
}

static QList<bool> hidden(const QList<DashboardCounts::Position> &positions)
{
    QList<bool> out;
    for (const auto &p : positions)
        out << p.hideButton;
    return out;
}

void TestDashboardPresets::countsOfReminders()
{
    const auto p = DashboardCounts::read(QStringLiteral("12-0-3-4-0-0-5"), 7, QString(), QStringLiteral(" 件"));
    QCOMPARE(texts(p), QStringList({"12 件", "0 件", "3 件", "4 件", "0 件", "0 件", "5 件"}));
    QCOMPARE(hidden(p), QList<bool>({false, true, false, false, true, true, false}));

    // notes and work plans put a blank before the count
    QCOMPARE(DashboardCounts::read("3", 1, " ", " 条").first().text, QStringLiteral(" 3 条"));
    QCOMPARE(DashboardCounts::read("3", 1, " ", " 项").first().text, QStringLiteral(" 3 项"));
    QCOMPARE(DashboardCounts::read("3", 1, "", " 位").first().text, QStringLiteral("3 位"));
}

void TestDashboardPresets::countsOddParts()
{
    // letters, an empty part, leading zeros, a number past 32 bits
    const auto p = DashboardCounts::read(QStringLiteral("x--007-2147483648-2147483647"), 5, QString(), " 件");
    QCOMPARE(texts(p), QStringList({"x 件", " 件", "007 件", "2147483648 件", "2147483647 件"}));
    QCOMPARE(hidden(p), QList<bool>({true, true, false, true, false}));
    const auto note = DashboardCounts::read(QStringLiteral("1--2"), 3, " ", " 条");
    QCOMPARE(note.at(1).text, QStringLiteral("  条"));
    // an empty text is one empty part
    const auto empty = DashboardCounts::read(QString(), 2, QString(), " 个");
    QCOMPARE(hidden(empty), QList<bool>({true, false}));
}

void TestDashboardPresets::countsShortAndLong()
{
    // eight parts for seven positions: the eighth is ignored
    const auto eight = DashboardCounts::read(QStringLiteral("1-2-3-4-5-6-7-0"), 7, QString(), " 件");
    QCOMPARE(eight.size(), 7);
    QCOMPARE(eight.last().text, QStringLiteral("7 件"));
    QVERIFY(!eight.last().hideButton);
    // fewer parts: the positions without a part get no count and keep their button
    const auto three = DashboardCounts::read(QStringLiteral("0-1-2"), 7, QString(), " 件");
    QCOMPARE(three.size(), 7);
    QCOMPARE(texts(three).mid(3), QStringList({" 件", " 件", " 件", " 件"}));
    QCOMPARE(hidden(three), QList<bool>({true, false, false, false, false, false, false}));
}

void TestDashboardPresets::presetsAtFixedClock_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("condition");
    using P = DashboardPresets;
    const QString r = "and isRemind = '开启'";
    const QString n = "and isRemind = '开启' and isShow ='展示'";
    const QString w = "and isRemind = '开启' and isShow ='正常'";
    struct Due {
        const char *window;
        QString tail;
    };
    const QList<Due> due{
        {"Expired", " and date(remindDate) < '2026-12-06'"},
        {"Today", " and remindDate = '2026-12-06'"},
        {"7Day", " and date(remindDate) between '2026-12-06' and '2026-12-13'"},
        {"15Day", " and date(remindDate) between '2026-12-14' and '2026-12-21'"},
        {"30Day", " and date(remindDate) between '2026-12-22' and '2027-01-05'"},
        {"30OverDay", " and date(remindDate) > '2027-01-05'"},
    };
    for (const Due &d : due) {
        const QString window = QString::fromLatin1(d.window);
        QTest::newRow(qPrintable("remind" + window)) << "pushButton_remind" + window << int(P::Remind) << r + d.tail;
        const QString noteButton = window == "30OverDay" ? "pushButton_30OverDay" : "pushButton_note" + window;
        QTest::newRow(qPrintable("note" + window)) << noteButton << int(P::Note) << n + d.tail;
        QTest::newRow(qPrintable("workPlan" + window)) << "pushButton_workPlan" + window << int(P::WorkPlan) << w + d.tail;
    }
    QTest::newRow("remindTotal") << "pushButton_remindTotal" << int(P::Remind) << " and isRemind = '开启'";
    QTest::newRow("noteTotal") << "pushButton_noteTotal" << int(P::Note) << "and isShow ='展示'";
    QTest::newRow("notelift") << "pushButton_notelift" << int(P::Note) << " and mold ='日常生活' and isShow ='展示'";
    QTest::newRow("noteVolume") << "pushButton_noteVolume" << int(P::Note)
                                << "and isShow ='展示' and (volume is not null and volume !='') ";
    QTest::newRow("completePlan") << "pushButton_completePlan" << int(P::WorkPlan) << " and isShow ='完成'";
    QTest::newRow("workPlanImage") << "pushButton_workPlanImage" << int(P::WorkPlan)
                                   << "and isShow ='正常' and (image is not null and image !='') ";
    QTest::newRow("accounAction") << "accounAction" << int(P::Account) << "";
    QTest::newRow("accountTotal") << "pushButton_accountTotal" << int(P::Account) << "";
    QTest::newRow("account1Month") << "pushButton_account1Month" << int(P::Account)
                                   << " and date(registerDate) between '2026-11-06 07:41:27' and '2026-12-06 07:41:27'";
    QTest::newRow("account6Month") << "pushButton_account6Month" << int(P::Account)
                                   << " and date(registerDate) between '2026-06-09 07:41:27' and '2026-11-05 07:41:27'";
    QTest::newRow("account5Year") << "pushButton_account5Year" << int(P::Account)
                                  << " and date(registerDate) between '2021-12-07 07:41:27' and '2024-12-04 07:41:27'";
    QTest::newRow("account6Year") << "pushButton_account6Year" << int(P::Account)
                                  << " and date(registerDate) < '2021-12-07 07:41:27'";
    QTest::newRow("userManagerAction") << "userManagerAction" << int(P::User) << "";
    QTest::newRow("userToday") << "pushButton_userToday" << int(P::User) << " and date(registerDate) = '2026-12-06'";
    QTest::newRow("user7Day") << "pushButton_user7Day" << int(P::User)
                              << " and date(registerDate) between '2026-11-29 07:41:27' and '2026-12-06 07:41:27'";
    QTest::newRow("userLogin30") << "pushButton_userLogin30" << int(P::User)
                                 << " and date(loginDate) between '2026-11-06 07:41:27' and '2026-12-06 07:41:27'";
    QTest::newRow("message") << "pushButton_message" << int(P::Message) << "";
    QTest::newRow("messageWebDesk") << "pushButton_messageWebDesk" << int(P::Message)
                                    << " and showSwitchStr = '展示' and appOS = 'webDesk'";
    QTest::newRow("messageAbout") << "pushButton_messageAbout" << int(P::Message)
                                  << " and showSwitchStr = '展示' and mold = 'about'";
    QTest::newRow("not a button") << "pushButton_note30OverDay" << int(P::None) << "";
}

void TestDashboardPresets::presetsAtFixedClock()
{
    QFETCH(QString, button);
    QFETCH(int, target);
    QFETCH(QString, condition);
    const QDateTime now(QDate(2026, 12, 6), QTime(7, 41, 27));
    const DashboardPresets::Preset preset = DashboardPresets::of(button, now);
    QCOMPARE(int(preset.target), target);
    QCOMPARE(preset.condition, condition);
    // a second click hands the same text again
    QCOMPARE(DashboardPresets::of(button, now).condition, condition);
}

void TestDashboardPresets::presetsCoverEveryButton()
{
    // every view button and opener of the form has a target
    const QStringList keys{
        "accountTotal", "account1Month", "account6Month", "account12Month", "account2Year", "account5Year",
        "account6Year", "remindTotal", "remindExpired", "remindToday", "remind7Day", "remind15Day", "remind30Day",
        "remind30OverDay", "userTotal", "userToday", "user7Day", "user1Month", "user6Month", "user1Year",
        "userLogin30", "messageTotal", "messageWindows", "messageAndroid", "messageWebMobile", "messageWebDesk",
        "messageRemind", "messageAbout", "workPlanImage", "workPlanTotal", "yearPlan", "quarterPlan", "monthPlan",
        "weekPlan", "dayPlan", "otherPlan", "completePlan", "workPlanExpired", "workPlanToday", "workPlan7Day",
        "workPlan15Day", "workPlan30Day", "workPlan30OverDay", "noteImage", "noteTotal", "noteGuide", "noteStudy",
        "noteWork", "noteReadbook", "noteSense", "notelift", "noteOther", "noteVolume", "noteAttachedFile",
        "noteExpired", "noteToday", "note7Day", "note15Day", "note30Day", "account", "user", "message"};
    QStringList names;
    for (const QString &k : keys)
        names << "pushButton_" + k;
    names << "pushButton_30OverDay" << "accounAction" << "userManagerAction" << "messageAction";
    QCOMPARE(names.size(), 66);
    for (const QString &name : names)
        QVERIFY2(DashboardPresets::of(name, QDateTime::currentDateTime()).target != DashboardPresets::None,
                 qPrintable(name));
}

QTEST_GUILESS_MAIN(TestDashboardPresets)
#include "tst_dashboardpresets.moc"
