// The dashboard window against a scripted server: its form, the log-in
// delivery (grade gate, title, counts), the view buttons' queries on the
// wire, the module openers, the instructions box and the tune.
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "dashboardcounts.h"
#include "dashboardpresets.h"
#include "summarywindow.h"

namespace {

const QStringList kActions{"updatePswAction", "userManagerAction", "actionaboutAction", "instructionsAction",
                           "userUpateAction",  "messageAction",     "QuitAction",        "remindAction",
                           "noteAction",       "accounAction",      "workAction",        "updateSummaryAction",
                           "musicAction"};
const QStringList kModuleButtons{"pushButton_account", "pushButton_remind", "pushButton_user",
                                 "pushButton_message", "pushButton_workPlan", "pushButton_note"};

// Count keys by module, in the order of their positions in the counts text.
const QStringList kRemind{"remindTotal", "remindExpired", "remindToday", "remind7Day",
                          "remind15Day", "remind30Day",   "remind30OverDay"};
const QStringList kNote{"noteTotal",   "noteGuide", "noteStudy",     "noteWork",   "noteReadbook", "noteSense",
                        "notelift",    "noteOther", "noteExpired",   "noteToday",  "note7Day",     "note15Day",
                        "note30Day",   "note30OverDay", "noteImage", "noteVolume", "noteAttachedFile"};
const QStringList kWork{"workPlanTotal",   "yearPlan",      "quarterPlan",     "monthPlan",     "weekPlan",
                        "dayPlan",         "otherPlan",     "completePlan",    "workPlanExpired", "workPlanToday",
                        "workPlan7Day",    "workPlan15Day", "workPlan30Day",   "workPlan30OverDay", "workPlanImage"};
const QStringList kAccount{"accountTotal", "account1Month", "account6Month", "account12Month",
                           "account2Year", "account5Year",  "account6Year"};
const QStringList kUser{"userTotal", "userToday", "user7Day", "user1Month", "user6Month", "user1Year", "userLogin30"};
const QStringList kMessage{"messageTotal",     "messageWindows", "messageAndroid", "messageWebMobile",
                           "messageWebDesk",   "messageRemind",  "messageAbout"};

QString buttonOf(const QString &key)
{
    return key == QLatin1String("note30OverDay") ? QStringLiteral("pushButton_30OverDay") : "pushButton_" + key;
}

QStringList allKeys()
{
    return kRemind + kNote + kWork + kAccount + kUser + kMessage;
}

} // namespace

class TestSummaryWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void formObjectsAndSlots();
    void formInitialStateAndLayout();
    void logInOfUserAndAdministrator();
    void countsRefresh();
    void oneModuleFails();
    void viewButtonsSendPresets();
    void ownerQuotesDoubled();
    void moduleOpeners();
    void buttonPressedDuringALoadRunsAfterIt();
    void closedWindowDropsItsKeptWorkAndAQueryOutranksAnOpening();
    void showWindownRule();
    void instructions();
    void aboutBox();
    void userDialogs();
    void tune();

private:
    QLabel *label(const QString &key) { return window->findChild<QLabel *>("label_" + key); }
    QPushButton *button(const QString &name) { return window->findChild<QPushButton *>(name); }
    QAction *action(const QString &name) { return window->findChild<QAction *>(name); }
    QWidget *topLevel(const char *className);
    QList<StubRequest> requestsTo(const QByteArray &path) const;
    // The "conditionStr" of every request to the path, in order.
    QStringList conditions(const QByteArray &path) const;
    // Clicks the dashboard's button after `ms`, during whatever wait runs then.
    void pressLater(int ms, const char *name);
    void logIn(const QString &name, int grade);

    HttpStub stub;
    QHash<QByteArray, QString> summaries; // entity -> counts text ("" = refuse)
    QString instructionsText;
    int listDelayMs = 0; // lists answer after this long
    int dueRows = 0;     // rows of every due list
    std::unique_ptr<SummaryWindow> window;
    std::unique_ptr<DomainUser> user;
};

void TestSummaryWindow::initTestCase()
{
    QVERIFY(stub.listen(8091));
    stub.setHandler([this](const StubRequest &r) {
        const QList<QByteArray> parts = r.path.split('/');
        if (r.path.endsWith("/findOfSummary")) {
            const QByteArray entity = parts.value(parts.size() - 2);
            const QString counts = summaries.value(entity);
            if (counts.isEmpty())
                return StubResponse::envelope(0, entity + "汇总失败");
            return StubResponse::envelope(1, counts, QJsonValue::Null);
        }
        if (r.path == "/android/message/findByCondition"
            && r.json().value("conditionStr").toString().contains("mold = 'instructions'")) {
            QJsonArray rows;
            for (const QString &m : instructionsText.split('|', Qt::SkipEmptyParts))
                rows.append(QJsonObject{{"message", m}});
            return StubResponse::list(rows, int(rows.size()));
        }
        if (r.path.startsWith("/android/")) {
            QJsonArray rows;
            if (r.path.endsWith("/findByRemindDay")) {
                for (int i = 1; i <= dueRows; ++i)
                    rows.append(QJsonObject{{"id", i}});
            }
            StubResponse list = StubResponse::list(rows, int(rows.size()));
            list.delayMs = listDelayMs;
            return list;
        }
        return StubResponse::raw(404, "no");
    });
}

void TestSummaryWindow::init()
{
    summaries = {{"remind", "1-1-1-1-1-1-1"},
                 {"note", "1-1-1-1-1-1-1-1-1-1-1-1-1-1-1-1-1"},
                 {"workPlan", "1-1-1-1-1-1-1-1-1-1-1-1-1-1-1"},
                 {"accountInfo", "1-1-1-1-1-1-1"},
                 {"user", "1-1-1-1-1-1-1"},
                 {"message", "1-1-1-1-1-1-1"}};
    instructionsText.clear();
    listDelayMs = 0;
    dueRows = 0;
    window.reset();
    user.reset();
    window = std::make_unique<SummaryWindow>();
    stub.requests.clear();
}

QWidget *TestSummaryWindow::topLevel(const char *className)
{
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget *w : widgets) {
        if (w->inherits(className))
            return w;
    }
    return nullptr;
}

QList<StubRequest> TestSummaryWindow::requestsTo(const QByteArray &path) const
{
    QList<StubRequest> out;
    for (const StubRequest &r : stub.requests) {
        if (r.path == path)
            out << r;
    }
    return out;
}

QStringList TestSummaryWindow::conditions(const QByteArray &path) const
{
    QStringList texts;
    for (const StubRequest &r : requestsTo(path))
        texts << r.json().value("conditionStr").toString();
    return texts;
}

void TestSummaryWindow::pressLater(int ms, const char *name)
{
    QTimer::singleShot(ms, window.get(), [this, name] { QTest::mouseClick(button(name), Qt::LeftButton); });
}

void TestSummaryWindow::logIn(const QString &name, int grade)
{
    user = std::make_unique<DomainUser>();
    user->setUsername(name);
    user->setPassword(QStringLiteral("pw"));
    user->setGrade(grade);
    ModalAnswerer answerer;
    window->receiveUser(*user);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
}

void TestSummaryWindow::formObjectsAndSlots()
{
    QStringList expectedSlots;
    for (const QString &a : kActions) {
        QVERIFY2(action(a), qPrintable(a));
        expectedSlots << "on_" + a + "_triggered()";
    }
    for (const QString &b : kModuleButtons) {
        QVERIFY2(button(b), qPrintable(b));
        expectedSlots << "on_" + b + "_clicked()";
    }
    for (const QString &k : allKeys()) {
        QVERIFY2(label(k), qPrintable(k));
        QVERIFY2(button(buttonOf(k)), qPrintable(k));
        QCOMPARE(button(buttonOf(k))->text(), QStringLiteral("查看"));
        expectedSlots << "on_" + buttonOf(k) + "_clicked()";
    }
    QCOMPARE(expectedSlots.size(), 79);

    QStringList actualSlots;
    const QMetaObject *mo = window->metaObject();
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() == QMetaMethod::Slot && m.name().startsWith("on_"))
            actualSlots << QString::fromLatin1(m.methodSignature());
    }
    expectedSlots.sort();
    actualSlots.sort();
    QCOMPARE(actualSlots, expectedSlots);
}

void TestSummaryWindow::formInitialStateAndLayout()
{
    for (const QString &k : kRemind)
        QCOMPARE(label(k)->text(), QStringLiteral("0件"));
    for (const QString &k : kNote + kWork)
        QCOMPARE(label(k)->text(), QStringLiteral("0条"));
    for (const QString &k : kAccount + kUser + kMessage)
        QCOMPARE(label(k)->text(), QStringLiteral("0个"));

    window->resize(1600, 1000);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (const QString &k : allKeys())
        QVERIFY2(button(buttonOf(k))->isVisible(), qPrintable(k));
    for (const char *g : {"groupBox_account", "groupBox_remind", "groupBox_work", "groupBox_life", "groupBox_user",
                          "groupBox_message"}) {
        auto *box = window->findChild<QGroupBox *>(g);
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->size(), QSize(300, 280));
    }
    window->resize(1000, 700);
    QTRY_COMPARE(window->findChild<QGroupBox *>("groupBox_life")->size(), QSize(300, 280));

    auto names = [](const QList<QAction *> &actions) {
        QStringList out;
        for (QAction *a : actions)
            out << (a->menu() ? a->menu()->objectName() : a->objectName());
        return out;
    };
    QCOMPARE(names(window->findChild<QToolBar *>("toolBar")->actions()),
             QStringList({"remindAction", "noteAction", "workAction", "userManagerAction", "updateSummaryAction",
                          "musicAction", "QuitAction"}));
    QCOMPARE(names(window->menuBar()->actions()), QStringList({"menu", "menu_2", "menu_3"}));
    QCOMPARE(names(window->findChild<QMenu *>("menu_2")->actions()),
             QStringList({"accounAction", "remindAction", "noteAction", "workAction", "userManagerAction",
                          "messageAction", "updatePswAction", "userUpateAction"}));
    QCOMPARE(names(window->findChild<QMenu *>("menu_3")->actions()),
             QStringList({"actionaboutAction", "instructionsAction"}));
    QCOMPARE(action("musicAction")->text(), QStringLiteral("打开音乐"));

    // the status bar's three links, in order
    QStringList links;
    for (QLabel *l : window->statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        QVERIFY(l->openExternalLinks());
        links << l->text();
    }
    QCOMPARE(links.size(), 3);
    QVERIFY(links.at(0).contains("color:white") && links.at(0).contains("------访问青梧主页------"));
    QVERIFY(links.at(1).contains("color:white"));
    QVERIFY(links.at(2).contains("color:DarkGreen") && links.at(2).contains("------打开网页版------"));
    QCOMPARE(window->statusBar()->styleSheet(), QStringLiteral("QLabel{color:black}"));
    // nothing has been asked of the server before the log-in
    QVERIFY(requestsTo("/android/message/findByCondition").isEmpty());
    QVERIFY(requestsTo("/android/user/findByCondition").isEmpty());
}

void TestSummaryWindow::logInOfUserAndAdministrator()
{
    summaries["remind"] = "12-0-3-4-0-0-5";
    summaries["user"] = "3-0-0-0-0-0-0";
    logIn(QStringLiteral("demo"), 4);
    window->show();
    QCOMPARE(window->windowTitle(), QStringLiteral("demo您好，欢迎使用岚舟管理系统！ 软件版本：V1.00"));
    QVERIFY(!action("userManagerAction")->isVisible());
    QVERIFY(!action("messageAction")->isVisible());
    QVERIFY(window->findChild<QGroupBox *>("groupBox_user")->isHidden());
    QVERIFY(window->findChild<QGroupBox *>("groupBox_message")->isHidden());
    QVERIFY(!window->findChild<QGroupBox *>("groupBox_remind")->isHidden());

    // six summary requests, in order, each {"temporary": name}
    QList<QByteArray> paths;
    for (const StubRequest &r : stub.requests) {
        if (r.path.endsWith("/findOfSummary")) {
            paths << r.path;
            QCOMPARE(r.json(), QJsonObject({{"temporary", "demo"}}));
        }
    }
    QCOMPARE(paths, QList<QByteArray>({"/android/remind/findOfSummary", "/android/note/findOfSummary",
                                       "/android/workPlan/findOfSummary", "/android/accountInfo/findOfSummary",
                                       "/android/user/findOfSummary", "/android/message/findOfSummary"}));
    QStringList reminders;
    for (const QString &k : kRemind)
        reminders << label(k)->text();
    QCOMPARE(reminders, QStringList({"12 件", "0 件", "3 件", "4 件", "0 件", "0 件", "5 件"}));
    QVERIFY(button("pushButton_remindTotal")->isVisible());
    QVERIFY(!button("pushButton_remindExpired")->isVisible());
    QVERIFY(!button("pushButton_remind15Day")->isVisible());
    QVERIFY(button("pushButton_remind30OverDay")->isVisible());
    QCOMPARE(label("noteTotal")->text(), QStringLiteral(" 1 条"));
    QCOMPARE(label("workPlanTotal")->text(), QStringLiteral(" 1 项"));
    QCOMPARE(label("accountTotal")->text(), QStringLiteral("1 个"));
    // the hidden groups are still filled
    QCOMPARE(label("userTotal")->text(), QStringLiteral("3 位"));
    QVERIFY(button("pushButton_userToday")->isHidden());

    // the same delivery to an administrator shows the administrators' parts
    init();
    logIn(QStringLiteral("admin"), 5);
    window->show();
    QVERIFY(action("userManagerAction")->isVisible());
    QVERIFY(action("messageAction")->isVisible());
    QVERIFY(window->findChild<QGroupBox *>("groupBox_user")->isVisible());
    QVERIFY(window->findChild<QGroupBox *>("groupBox_message")->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("admin您好，欢迎使用岚舟管理系统！ 软件版本：V1.00"));
}

void TestSummaryWindow::countsRefresh()
{
    summaries["message"] = "0-0-0-0-0-0-0";
    summaries["note"] = "1-1-1-1-1-1-1-1-1-1-1-1-1-1-1-0-0";
    logIn(QStringLiteral("admin"), 5);
    window->show();
    QVERIFY(button("pushButton_messageAbout")->isHidden());
    QVERIFY(button("pushButton_noteAttachedFile")->isHidden());
    QVERIFY(button("pushButton_noteImage")->isVisible());

    summaries["message"] = "2-2-2-2-2-2-2";
    summaries["note"] = "1-1-1-1-1-1-1-1-1-1-1-1-1-1-1-2-2";
    stub.requests.clear();
    action("updateSummaryAction")->trigger();
    QCOMPARE(requestsTo("/android/message/findOfSummary").size(), 1);
    for (const QString &k : kMessage) {
        QVERIFY2(button(buttonOf(k))->isVisible(), qPrintable(k));
        QCOMPARE(label(k)->text(), QStringLiteral("2 个"));
    }
    QVERIFY(button("pushButton_noteVolume")->isVisible());
    QVERIFY(button("pushButton_noteAttachedFile")->isVisible());
}

void TestSummaryWindow::oneModuleFails()
{
    logIn(QStringLiteral("admin"), 5);
    summaries["remind"] = "2-2-2-2-2-2-2";
    summaries["note"] = "0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0";
    action("updateSummaryAction")->trigger();
    summaries["note"] = QString(); // refused from now on
    summaries["remind"] = "3-3-3-3-3-3-3";
    summaries["message"] = "4-4-4-4-4-4-4";
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("note汇总失败"), QStringLiteral("知道了"));
    action("updateSummaryAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    // the notes keep their texts with every button shown; the others are refreshed
    for (const QString &k : kNote) {
        QCOMPARE(label(k)->text(), QStringLiteral(" 0 条"));
        QVERIFY2(!button(buttonOf(k))->isHidden(), qPrintable(k));
    }
    QCOMPARE(label("remindTotal")->text(), QStringLiteral("3 件"));
    QCOMPARE(label("messageAbout")->text(), QStringLiteral("4 个"));
}

void TestSummaryWindow::viewButtonsSendPresets()
{
    logIn(QStringLiteral("demo"), 1);
    window->show();
    QSignalSpy remindSignal(window.get(), SIGNAL(sendSignal()));
    struct Case {
        const char *button;
        QByteArray path;
        const char *windowClass;
    };
    const QList<Case> cases{
        {"pushButton_remind7Day", "/android/remind/findByCondition", "RemindWindow"},
        {"pushButton_notelift", "/android/note/findByCondition", "NoteWindow"},
        {"pushButton_30OverDay", "/android/note/findByCondition", "NoteWindow"},
        {"pushButton_completePlan", "/android/workPlan/findByCondition", "WorkPlanWindow"},
        {"pushButton_account6Month", "/android/accountInfo/findByCondition", "MainWindow"},
    };
    const QString owner = QStringLiteral(" and loginName ='demo'");
    for (const Case &c : cases) {
        stub.requests.clear();
        const QString preset = DashboardPresets::of(c.button, QDateTime::currentDateTime()).condition;
        QTest::mouseClick(button(c.button), Qt::LeftButton);
        const QList<StubRequest> sent = requestsTo(c.path);
        QVERIFY2(sent.size() == 1, c.button);
        const QString condition = sent.first().json().value("conditionStr").toString();
        // reminders and accounts put the owner after the preset, notes and plans before it
        const bool ownerFirst = c.path.contains("/note/") || c.path.contains("/workPlan/");
        const QString expected = ownerFirst ? owner + preset : preset + owner;
        if (QByteArray(c.button) == "pushButton_account6Month") {
            // the range is built from the time of the click: allow the clock to move by a second
            QVERIFY2(condition.startsWith(" and date(registerDate) between '") && condition.endsWith(owner),
                     qPrintable(condition));
        } else {
            QCOMPARE(condition, expected);
        }
        QWidget *target = topLevel(c.windowClass);
        QVERIFY(target && target->isVisible());
        QVERIFY2(requestsTo("/android/remind/findByRemindDay").isEmpty()
                     && requestsTo("/android/note/findByRemindDay").isEmpty()
                     && requestsTo("/android/workPlan/findByRemindDay").isEmpty(),
                 "a view button ran a window's check of due entries");
    }
    QCOMPARE(remindSignal.count(), 0);
}

void TestSummaryWindow::ownerQuotesDoubled()
{
    // the windows add the owner condition to the preset through the shared quoting helper
    logIn(QStringLiteral("o'neil"), 1);
    for (const char *b : {"pushButton_remindTotal", "pushButton_noteTotal", "pushButton_workPlanTotal",
                          "pushButton_accountTotal"}) {
        stub.requests.clear();
        QTest::mouseClick(button(b), Qt::LeftButton);
        bool seen = false;
        for (const StubRequest &r : stub.requests) {
            if (!r.path.endsWith("/findByCondition"))
                continue;
            seen = true;
            const QString condition = r.json().value("conditionStr").toString();
            QVERIFY2(condition.contains("loginName ='o''neil'"), qPrintable(QString::fromLatin1(b) + condition));
        }
        QVERIFY2(seen, b);
    }
}

void TestSummaryWindow::moduleOpeners()
{
    logIn(QStringLiteral("admin"), 5);
    window->show();
    QSignalSpy remind(window.get(), SIGNAL(sendSignal()));
    QSignalSpy note(window.get(), SIGNAL(sendSignalNote()));
    QSignalSpy plan(window.get(), SIGNAL(sendSignalWorkPlan()));
    QTest::mouseClick(button("pushButton_remind"), Qt::LeftButton);
    action("noteAction")->trigger();
    QTest::mouseClick(button("pushButton_workPlan"), Qt::LeftButton);
    QCOMPARE(remind.count(), 1);
    QCOMPARE(note.count(), 1);
    QCOMPARE(plan.count(), 1);
    QVERIFY(topLevel("RemindWindow")->isVisible());
    QVERIFY(topLevel("NoteWindow")->isVisible());
    QVERIFY(topLevel("WorkPlanWindow")->isVisible());

    // the users page and the messages window open with an empty condition
    stub.requests.clear();
    action("userManagerAction")->trigger();
    QTest::mouseClick(button("pushButton_messageAndroid"), Qt::LeftButton);
    const auto users = requestsTo("/android/user/findByCondition");
    QCOMPARE(users.size(), 1);
    QCOMPARE(users.first().json().value("conditionStr").toString(), QString());
    const auto messages = requestsTo("/android/message/findByCondition");
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().json().value("conditionStr").toString(),
             QStringLiteral(" and showSwitchStr = '展示' and appOS = 'android'"));
    QVERIFY(topLevel("UserManagerForm")->isVisible());
    QVERIFY(topLevel("MessageWindow")->isVisible());
}

// A view or module button pressed while the window it opens still waits for
// its list is not lost: the one pressed last runs once that load is in.
void TestSummaryWindow::buttonPressedDuringALoadRunsAfterIt()
{
    logIn(QStringLiteral("demo"), 1);
    window->show();
    listDelayMs = 300;
    ModalAnswerer nothingModal;
    const QString owner = QStringLiteral(" and loginName ='demo'");

    stub.requests.clear();
    pressLater(50, "pushButton_noteWork");
    pressLater(100, "pushButton_noteGuide");
    QTest::mouseClick(button("pushButton_noteStudy"), Qt::LeftButton);
    QCOMPARE(conditions("/android/note/findByCondition"),
             (QStringList{owner + " and mold ='学习笔记' and isShow ='展示'",
                          owner + " and mold ='指导笔记' and isShow ='展示'"}));

    // The module button opens the window afresh after the preset's list: the
    // normal plans, then the question about due plans.
    stub.requests.clear();
    pressLater(50, "pushButton_workPlan");
    QTest::mouseClick(button("pushButton_yearPlan"), Qt::LeftButton);
    QCOMPARE(conditions("/android/workPlan/findByCondition"),
             (QStringList{owner + " and mold ='年度计划' and isShow ='正常'", owner + " and isShow ='正常'"}));
    QCOMPARE(conditions("/android/workPlan/findByRemindDay"),
             (QStringList{owner + " and isShow ='正常' and isRemind = '开启'"}));
    QTest::qWait(50);
    QVERIFY2(nothingModal.problems().isEmpty(), qPrintable(nothingModal.problems().join('\n')));
}

// Closing a window while it waits drops what was asked of it meanwhile and
// the rest of its work; an opening gives way to a query asked during its wait.
void TestSummaryWindow::closedWindowDropsItsKeptWorkAndAQueryOutranksAnOpening()
{
    logIn(QStringLiteral("demo"), 1);
    window->show();
    listDelayMs = 300;
    dueRows = 2;
    const QString shown = QStringLiteral(" and loginName ='demo' and isShow ='展示'");
    QWidget *notes = topLevel("NoteWindow");
    ModalAnswerer answerer;

    // "进入笔记管理" twice, then the window is closed: its list is all.
    stub.requests.clear();
    pressLater(50, "pushButton_note");
    QTimer::singleShot(100, notes, &QWidget::close);
    QTest::mouseClick(button("pushButton_note"), Qt::LeftButton);
    QTest::qWait(400);
    QCOMPARE(conditions("/android/note/findByCondition"), QStringList{shown});
    QVERIFY(requestsTo("/android/note/findByRemindDay").isEmpty());
    QVERIFY(!notes->isVisible());
    ANSWERED(answerer);

    // A preset pressed while the opening waits runs after it; the opening
    // asks nothing about the due notes.
    stub.requests.clear();
    pressLater(50, "pushButton_noteStudy");
    QTest::mouseClick(button("pushButton_note"), Qt::LeftButton);
    QCOMPARE(conditions("/android/note/findByCondition"),
             (QStringList{shown, " and loginName ='demo' and mold ='学习笔记' and isShow ='展示'"}));
    QVERIFY(requestsTo("/android/note/findByRemindDay").isEmpty());
    ANSWERED(answerer);

    // Shown again, the window opens as before, due question included.
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral(" 条笔记需要处理"), QStringLiteral("不查看"));
    notes->close();
    stub.requests.clear();
    QTest::mouseClick(button("pushButton_note"), Qt::LeftButton);
    ANSWERED(answerer);
    QCOMPARE(conditions("/android/note/findByCondition"), QStringList{shown});
    QCOMPARE(requestsTo("/android/note/findByRemindDay").size(), 1);
}

void TestSummaryWindow::showWindownRule()
{
    QWidget other;
    QWidget target;
    // hidden: shown normal
    window->showWindown(target);
    QVERIFY(target.isVisible());
    // minimised: back to normal
    target.showMinimized();
    window->showWindown(target);
    QVERIFY(!target.isMinimized());
    QVERIFY(target.isVisible());
    // maximised but behind another window: normal size again
    target.showMaximized();
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!target.isActiveWindow());
    window->showWindown(target);
    QVERIFY(!target.isMaximized());
}

void TestSummaryWindow::instructions()
{
    logIn(QStringLiteral("demo"), 1);
    instructionsText = QStringLiteral("A|B");
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("软件使用指南"), QStringLiteral("AB"), QStringLiteral("知道了"));
    stub.requests.clear();
    action("instructionsAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    const auto sent = requestsTo("/android/message/findByCondition");
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first().json(),
             QJsonObject({{"conditionStr", "and appOS = 'windows' and mold = 'instructions' and showSwitchStr = '展示'"},
                          {"order", "DESC"}}));

    // nothing to show: no box at all
    instructionsText.clear();
    ModalAnswerer none;
    action("instructionsAction")->trigger();
    QTest::qWait(100);
    QVERIFY2(none.problems().isEmpty(), qPrintable(none.problems().join('\n')));
}

void TestSummaryWindow::aboutBox()
{
    logIn(QStringLiteral("demo"), 1);
    stub.requests.clear();
    ModalAnswerer answerer;
    answerer.dialog("AboutDialog", [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    action("actionaboutAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    const auto sent = requestsTo("/android/message/findByCondition");
    QCOMPARE(sent.size(), 1);
    QVERIFY(sent.first().json().value("conditionStr").toString().contains("mold = 'about'"));
}

void TestSummaryWindow::userDialogs()
{
    logIn(QStringLiteral("demo"), 1);
    ModalAnswerer answerer;
    QString profileName;
    QString gradeCaption;
    answerer.dialog("PwdUpdateDialog", [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    answerer.dialog("UserUpdateDialog", [&](QWidget *w) {
        // the own profile (tag 1): the logged-in user, its grade locked
        profileName = w->findChild<QLineEdit *>("LineEdit_username")->text();
        for (QLabel *l : w->findChildren<QLabel *>()) {
            if (l->text().startsWith(QStringLiteral("等级")))
                gradeCaption = l->text();
        }
        static_cast<QDialog *>(w)->reject();
    });
    action("updatePswAction")->trigger();
    action("userUpateAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(profileName, QStringLiteral("demo"));
    QCOMPARE(gradeCaption, QStringLiteral("等级(不能修改)"));
    // the dashboard refreshes nothing after either dialog
    QCOMPARE(window->windowTitle(), QStringLiteral("demo您好，欢迎使用岚舟管理系统！ 软件版本：V1.00"));
}

void TestSummaryWindow::tune()
{
    QAction *music = action("musicAction");
    music->trigger();
    QCOMPARE(music->text(), QStringLiteral("关闭音乐"));
    music->trigger();
    QCOMPARE(music->text(), QStringLiteral("打开音乐"));
    music->trigger();
    // the end of the tune turns the action back; the next click plays again
    window->mediaStatusChanged(QMediaPlayer::EndOfMedia);
    QCOMPARE(music->text(), QStringLiteral("打开音乐"));
    music->trigger();
    QCOMPARE(music->text(), QStringLiteral("关闭音乐"));
    auto *player = window->findChild<QMediaPlayer *>();
    QVERIFY(!player); // the player has no parent: it is the window's own, not a child
    window.reset(); // destroying the window with the tune on neither hangs nor crashes
}

QTEST_MAIN(TestSummaryWindow)
#include "tst_summarywindow.moc"
