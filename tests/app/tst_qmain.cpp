// The start-up routine, run in a child process of this test (the binary
// re-runs itself with "--qmain <scenario>"), against a server of the parent:
// leaving the log-in dialog ends the program with 0 and never shows the
// dashboard; a log-in shows the dashboard maximized until it is quit.
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <cstring>

#include "httpstub.h"
#include "modalanswerer.h"
#include "qmain.h"

namespace {

// --- the child: drives the dialogs of qMain as a person would -------------------

QString scenario;

// Reports the dashboard on screen (and, once shown, quits through its action).
class DashboardWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->inherits("SummaryWindow") && !reported) {
            reported = true;
            auto *w = static_cast<QWidget *>(watched);
            fprintf(stdout, "DASHBOARD %s %s\n", w->isMaximized() ? "maximized" : "normal",
                    qPrintable(w->windowTitle().toUtf8().toHex()));
            fflush(stdout);
            QTimer::singleShot(50, w, [w] {
                const auto actions = w->findChildren<QAction *>(QStringLiteral("QuitAction"));
                if (!actions.isEmpty())
                    actions.first()->trigger();
            });
        }
        return false;
    }

private:
    bool reported = false;
};

void typeAndLogIn(QWidget *dialog, const QString &name, const QString &password)
{
    QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("userLineEdit")), name);
    QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("pwdLineEdit")), password);
    QPushButton *login = dialog->findChild<QPushButton *>(QStringLiteral("loginPushButton"));
    QTimer::singleShot(0, login, &QPushButton::click);
}

void leave(QWidget *dialog, const QString &how);

// Leaves the log-in dialog as soon as the dashboard has taken the user, that
// is while the dashboard asks the (stalled) server for its counts.
void leaveAfterHandOver(QWidget *dialog, const QString &how)
{
    typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
    auto *poll = new QTimer(dialog);
    QObject::connect(poll, &QTimer::timeout, dialog, [dialog, how, poll] {
        bool handedOver = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            handedOver = handedOver || (w->inherits("SummaryWindow") && w->windowTitle().startsWith(QStringLiteral("demo")));
        if (!handedOver)
            return;
        poll->stop();
        // a moment for the first count request to reach the server
        QTimer::singleShot(300, dialog, [dialog, how] { leave(dialog, how); });
    });
    poll->start(20);
}

void leave(QWidget *dialog, const QString &how)
{
        fprintf(stdout, "LEAVING\n");
        fflush(stdout);
        if (how == QLatin1String("escape")) {
            QTest::keyClick(dialog, Qt::Key_Escape);
        } else if (how == QLatin1String("exit-button")) {
            dialog->findChild<QPushButton *>(QStringLiteral("exitPushButton"))->click();
        } else {
            for (QAction *action : dialog->findChildren<QAction *>())
                if (action->text() == QStringLiteral("退出"))
                    action->trigger();
        }
}

void startDriver()
{
    qApp->installEventFilter(new DashboardWatch(qApp));
    auto *answerer = new ModalAnswerer(8000, qApp);
    if (scenario.startsWith(QLatin1String("leave-after-hand-over-"))) {
        const QString how = scenario.mid(int(qstrlen("leave-after-hand-over-")));
        answerer->dialog("LoginDialog", [how](QWidget *dialog) { leaveAfterHandOver(dialog, how); });
    } else if (scenario == QLatin1String("compulsory-announcements")) {
        answerer->dialog("LoginDialog", [](QWidget *dialog) {
            typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
        });
        answerer->box(QStringLiteral("提示信息"), QStringLiteral("今晚停机"), QStringLiteral("知道了"));
        answerer->box(QStringLiteral("提示信息"), QStringLiteral("请升级到2.0"), QStringLiteral("知道了"));
    } else if (scenario == QLatin1String("log-in-window")) {
        answerer->dialog("LoginDialog", [](QWidget *dialog) {
            fprintf(stdout, "LOG-IN WINDOW %lld\n", QDateTime::currentMSecsSinceEpoch());
            fflush(stdout);
            dialog->findChild<QPushButton *>(QStringLiteral("exitPushButton"))->click();
        });
    } else if (scenario == QLatin1String("escape")) {
        answerer->escape();
    } else if (scenario == QLatin1String("exit-button")) {
        answerer->dialog("LoginDialog", [](QWidget *dialog) {
            QPushButton *exit = dialog->findChild<QPushButton *>(QStringLiteral("exitPushButton"));
            QTimer::singleShot(0, exit, &QPushButton::click);
        });
    } else if (scenario == QLatin1String("leave-while-waiting")) {
        // the parent's server never answers: leave while the log-in waits
        answerer->dialog("LoginDialog", [](QWidget *dialog) {
            typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
            QTimer::singleShot(500, dialog, [dialog] {
                QTest::keyClick(dialog, Qt::Key_Escape);
            });
        });
    } else if (scenario == QLatin1String("login")) {
        answerer->dialog("LoginDialog", [](QWidget *dialog) {
            typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
        });
    }
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [answerer] {
        for (const QString &p : answerer->problems())
            fprintf(stdout, "PROBLEM %s\n", qPrintable(p));
        if (!answerer->allAnswered())
            fprintf(stdout, "PROBLEM not every expected box or dialog came\n");
        fflush(stdout);
    });
}

StubResponse plainServer(const StubRequest &r);

struct ChildRun {
    int exitCode = -1;
    bool finished = false;
    QString output;
};

} // namespace

// --- the parent -------------------------------------------------------------------

class TestQMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void leavingEndsWithZero_data();
    void leavingEndsWithZero();
    void leavingWhileTheLogInWaits();
    void logInShowsTheDashboardMaximized();
    void leavingAfterTheHandOverEndsTheProgram_data();
    void leavingAfterTheHandOverEndsTheProgram();
    void quitTickDuringTheVersionCheckKeepsItsAnnouncement();
    void logInWindowWithoutAWorkingSoundSystem_data();
    void logInWindowWithoutAWorkingSoundSystem();

private:
    ChildRun run(const QString &name, int timeoutMs = 20000,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

    HttpStub stub;
    bool stubListening = false;
};

ChildRun TestQMain::run(const QString &name, int timeoutMs, const QProcessEnvironment &environment)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--qmain"), name});
    ChildRun result;
    if (!child.waitForStarted(5000))
        return result;
    // the parent's loop keeps running, so its server answers meanwhile
    QElapsedTimer t;
    t.start();
    while (child.state() != QProcess::NotRunning && t.elapsed() < timeoutMs)
        QTest::qWait(20);
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished(2000);
    } else {
        result.finished = true;
        result.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -2;
    }
    result.output = QString::fromUtf8(child.readAllStandardOutput());
    return result;
}

namespace {

// The server of a plain run: the demo user logs in, every count is 0, lists are empty.
StubResponse plainServer(const StubRequest &r)
{
    if (r.path == "/android/user/login") {
        const QJsonObject record{{"id", 2},           {"grade", 1},        {"realName", "演示"},
                                 {"prohibit", "正常"}, {"prohibitCause", ""}, {"username", "demo"}};
        return StubResponse::envelope(1, "ok", QJsonObject{{"flag", 1}, {"dList", QJsonArray{record}}});
    }
    if (r.path.endsWith("/findOfSummary"))
        return StubResponse::envelope(1, "0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0-0", QJsonValue::Null);
    if (r.path.startsWith("/android/"))
        return StubResponse::list({}, 0);
    return StubResponse::raw(404, "no");
}

} // namespace

void TestQMain::initTestCase()
{
}

void TestQMain::init()
{
    stub.requests.clear();
    stub.setHandler(plainServer);
}

void TestQMain::cleanup()
{
    if (stubListening)
        stub.close();
    stubListening = false;
}

void TestQMain::leavingEndsWithZero_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("退  出") << QStringLiteral("exit-button");
}

void TestQMain::leavingEndsWithZero()
{
    QFETCH(QString, scenario);
    QVERIFY(stub.listen(8091));
    stubListening = true;
    const ChildRun child = run(scenario);
    QVERIFY2(child.finished, qPrintable(child.output));
    QCOMPARE(child.exitCode, 0);
    QVERIFY2(!child.output.contains("DASHBOARD"), qPrintable(child.output));
    QVERIFY2(!child.output.contains("PROBLEM"), qPrintable(child.output));
    // nothing was asked of the server: no log-in, and no window loaded before it
    for (const StubRequest &r : stub.requests)
        QVERIFY2(!r.path.startsWith("/android/"), r.path.constData());
}

void TestQMain::leavingWhileTheLogInWaits()
{
    // a server that takes the request and never answers
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 8091));
    QList<QTcpSocket *> held;
    connect(&silent, &QTcpServer::newConnection, this, [&] {
        while (silent.hasPendingConnections())
            held << silent.nextPendingConnection();
    });
    const ChildRun child = run(QStringLiteral("leave-while-waiting"));
    QVERIFY2(child.finished, "the program did not end after leaving the waiting log-in");
    QCOMPARE(child.exitCode, 0);
    QVERIFY2(!child.output.contains("DASHBOARD"), qPrintable(child.output));
    QVERIFY(!held.isEmpty()); // the log-in request did go out
    qDeleteAll(held);
}

void TestQMain::logInShowsTheDashboardMaximized()
{
    QVERIFY(stub.listen(8091));
    stubListening = true;
    const ChildRun child = run(QStringLiteral("login"));
    QVERIFY2(child.finished, qPrintable(child.output));
    QCOMPARE(child.exitCode, 0); // quit through the dashboard's action
    QVERIFY2(child.output.contains("DASHBOARD maximized"), qPrintable(child.output));
    QVERIFY2(!child.output.contains("PROBLEM"), qPrintable(child.output));
    const QString title = QStringLiteral("demo您好，欢迎使用岚舟管理系统！ 软件版本：V1.00");
    QVERIFY2(child.output.contains(QString::fromLatin1(title.toUtf8().toHex())), qPrintable(child.output));
    bool loggedIn = false;
    for (const StubRequest &r : stub.requests)
        loggedIn = loggedIn || r.path == "/android/user/login";
    QVERIFY(loggedIn);
}

void TestQMain::leavingAfterTheHandOverEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("退  出") << QStringLiteral("exit-button");
    QTest::newRow("menu 退出") << QStringLiteral("menu");
}

void TestQMain::leavingAfterTheHandOverEndsTheProgram()
{
    QFETCH(QString, how);
    // The server takes the dashboard's count requests and stalls.
    stub.setHandler([](const StubRequest &r) {
        StubResponse response = plainServer(r);
        if (r.path.endsWith("/findOfSummary"))
            response.delayMs = 60000;
        return response;
    });
    QVERIFY(stub.listen(8091));
    stubListening = true;
    QElapsedTimer clock;
    clock.start();
    const ChildRun child = run(QStringLiteral("leave-after-hand-over-") + how);
    QVERIFY2(child.finished, "the program did not end after leaving during the dashboard's wait");
    QCOMPARE(child.exitCode, 0);
    QVERIFY2(child.output.contains("LEAVING"), qPrintable(child.output));
    QVERIFY2(!child.output.contains("DASHBOARD"), qPrintable(child.output));
    QVERIFY2(!child.output.contains("PROBLEM"), qPrintable(child.output));
    QVERIFY(clock.elapsed() < 15000);
    bool countsAsked = false;
    for (const StubRequest &r : stub.requests)
        countsAsked = countsAsked || r.path.endsWith("/findOfSummary");
    QVERIFY(countsAsked); // the user left while the counts were asked for
}

void TestQMain::quitTickDuringTheVersionCheckKeepsItsAnnouncement()
{
    // A compulsory reminder starts the quit timer; the version check's answer
    // comes slowly, so the timer ticks while it is awaited.
    stub.setHandler([](const StubRequest &r) {
        if (r.path == "/android/message/findByCondition") {
            const QString condition = r.json().value("conditionStr").toString();
            if (condition.contains("'reminder'"))
                return StubResponse::list(QJsonArray{QJsonObject{{"message", "今晚停机。"}, {"grade", 3}}}, 1);
            if (condition.contains("'versions'")) {
                StubResponse slow = StubResponse::list(
                    QJsonArray{QJsonObject{{"message", "请升级到2.0。"}, {"grade", 1}, {"flag", 2.0}}}, 1);
                slow.delayMs = 800;
                return slow;
            }
        }
        return plainServer(r);
    });
    QVERIFY(stub.listen(8091));
    stubListening = true;
    const ChildRun child = run(QStringLiteral("compulsory-announcements"));
    QVERIFY2(child.finished, qPrintable(child.output));
    QCOMPARE(child.exitCode, 0);
    // Both boxes were answered, the log-in completed and the dashboard came up.
    QVERIFY2(!child.output.contains("PROBLEM"), qPrintable(child.output));
    QVERIFY2(child.output.contains("DASHBOARD maximized"), qPrintable(child.output + QString::number(stub.requests.size())));
}

void TestQMain::logInWindowWithoutAWorkingSoundSystem_data()
{
    QTest::addColumn<bool>("stalled");
    QTest::newRow("no sound server") << false;
    QTest::newRow("a sound server that never answers") << true;
}

void TestQMain::logInWindowWithoutAWorkingSoundSystem()
{
    QFETCH(bool, stalled);
    // The sound server's socket: absent, or one that takes connections and never answers.
    QTemporaryDir runtime;
    const QString socketPath = runtime.filePath(QStringLiteral("native"));
    QLocalServer silent;
    if (stalled)
        QVERIFY(silent.listen(socketPath));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socketPath);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());

    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    const ChildRun child = run(QStringLiteral("log-in-window"), 20000, environment);
    QVERIFY2(child.finished, "the log-in window never came");
    QCOMPARE(child.exitCode, 0);
    QVERIFY2(!child.output.contains("PROBLEM"), qPrintable(child.output));
    const QRegularExpression shown(QStringLiteral("LOG-IN WINDOW (\\d+)"));
    const QRegularExpressionMatch match = shown.match(child.output);
    QVERIFY2(match.hasMatch(), qPrintable(child.output));
    const qint64 after = match.captured(1).toLongLong() - started;
    QVERIFY2(after < 5000, qPrintable(QString::number(after)));
}

int main(int argc, char **argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--qmain") == 0) {
        scenario = QString::fromLocal8Bit(argv[2]);
        qAddPreRoutine(startDriver);
        return qMain(argc, argv);
    }
    QApplication app(argc, argv);
    TestQMain test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qmain.moc"
