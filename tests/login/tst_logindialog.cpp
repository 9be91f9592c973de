// The log-in, registration and password change against the real server with its demo users
// (admin/admin123 grade 5, demo/demo123 grade 1, banned/banned123 banned), driven as a person would.
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "domainuser.h"
#include "logindialog.h"
#include "modalanswerer.h"
#include "pwdupdatedialog.h"
#include "registdialog.h"
#include "serverprocess.h"

class TestLoginDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusalGoesToTheNamedField();
    void bannedUserIsTurnedAway();
    void demoUserLogsInAfterTheReminder();
    void compulsoryAnnouncementForcesTheQuit();
    void administratorIsNotForcedOut();
    void registeredUserCanLogIn();
    void changedPasswordIsTheOneThatLogsIn();
    // Last: reads what every case above wrote to the debug output.
    void debugOutputShowsNoPassword();

private:
    // Types into the named fields and presses "登  录"; returns the user handed on, if any.
    DomainUser *logIn(LoginDialog &dialog, const QString &name, const QString &password);
    static void fill(QWidget &dialog, const char *name, const QString &text);
    ServerProcess server{true};
};

namespace {

// Every debug line of the run, whatever the logging rules of the environment.
QStringList debugLines;

void keepDebugLine(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg)
        debugLines << message;
}

QLoggingCategory::CategoryFilter otherFilter = nullptr;

// Debug output of the program's own lines is on, whatever the environment's rules say.
void debugOn(QLoggingCategory *category)
{
    if (otherFilter)
        otherFilter(category);
    if (qstrcmp(category->categoryName(), "default") == 0)
        category->setEnabled(QtDebugMsg, true);
}

} // namespace

void TestLoginDialog::initTestCase()
{
    otherFilter = QLoggingCategory::installFilter(debugOn);
    qInstallMessageHandler(keepDebugLine);
    QVERIFY(server.start());
}

void TestLoginDialog::fill(QWidget &dialog, const char *name, const QString &text)
{
    auto *edit = dialog.findChild<QLineEdit *>(name);
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, text);
}

DomainUser *TestLoginDialog::logIn(LoginDialog &dialog, const QString &name, const QString &password)
{
    DomainUser *received = nullptr;
    QObject context;
    connect(&dialog, &LoginDialog::sendUser, &context, [&](DomainUser &user) { received = &user; });
    fill(dialog, "userLineEdit", name);
    fill(dialog, "pwdLineEdit", password);
    QTest::mouseClick(dialog.findChild<QPushButton *>("loginPushButton"), Qt::LeftButton);
    return received;
}

void TestLoginDialog::refusalGoesToTheNamedField()
{
    LoginDialog dialog;
    dialog.show();
    auto *userEdit = dialog.findChild<QLineEdit *>("userLineEdit");
    auto *pwdEdit = dialog.findChild<QLineEdit *>("pwdLineEdit");
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("密码"), QStringLiteral("知道了"));
    QVERIFY(!logIn(dialog, QStringLiteral("demo"), QStringLiteral("Demo123")));
    QVERIFY(pwdEdit->toolTip().contains(QStringLiteral("密码")));
    QCOMPARE(userEdit->toolTip(), QString());

    answerer.box(QStringLiteral("提示信息"), QStringLiteral("用户不存在"), QStringLiteral("知道了"));
    QVERIFY(!logIn(dialog, QStringLiteral("nobody"), QStringLiteral("x")));
    QVERIFY(userEdit->toolTip().contains(QStringLiteral("用户不存在")));
    QCOMPARE(pwdEdit->toolTip(), QString());

    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.findChild<QPushButton *>("loginPushButton")->isEnabled());
}

void TestLoginDialog::bannedUserIsTurnedAway()
{
    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("已被禁止登录"), QStringLiteral("知道了"));
    QVERIFY(!logIn(dialog, QStringLiteral("banned"), QStringLiteral("banned123")));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(dialog.result(), int(QDialog::Rejected)); // the program ends with exit code 0
    QVERIFY(!dialog.isVisible());
}

void TestLoginDialog::demoUserLogsInAfterTheReminder()
{
    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    // The demo reminder shows; the demo version entry (1.0) is not newer than the client.
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("欢迎使用演示数据，祝使用愉快！"), QStringLiteral("知道了"));
    DomainUser *user = logIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(!answerer.seen().join('\n').contains(QStringLiteral("当前已是最新版本")));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(user);
    QCOMPARE(user->getUsername(), QStringLiteral("demo"));
    QCOMPARE(user->getPassword(), QStringLiteral("demo123"));
    QCOMPARE(user->getGrade(), 1);
    QVERIFY(user->getId() > 0);
    QCOMPARE(user->getRealName(), QStringLiteral("演示用户"));
    QCOMPARE(user->getProhibit(), QStringLiteral("正常"));

    // Not compulsory: nothing asks the program to quit.
    // Ends the loop with 7 unless something ends it sooner; the timer goes with this test.
    QTimer latest;
    latest.setSingleShot(true);
    connect(&latest, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    latest.start(300);
    QCOMPARE(QCoreApplication::exec(), 7);
}

void TestLoginDialog::compulsoryAnnouncementForcesTheQuit()
{
    const QString now = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    QCOMPARE(ServerProcess::add("message", QJsonObject{{"appOS", "windows"},
                                                       {"showSwitchStr", "展示"},
                                                       {"mold", "reminder"},
                                                       {"flag", 0},
                                                       {"grade", 2},
                                                       {"addDate", now},
                                                       {"showDate", now},
                                                       {"showEndDate", ""},
                                                       {"message", "今晚停机维护。"},
                                                       {"comment", ""}})
                 .value("flag")
                 .toInt(),
             1);
    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    answerer.dialog("QMessageBox", [](QWidget *box) {
        // One box carries both reminders, joined without a separator, in the server's order.
        const QString text = ModalAnswerer::describe(box);
        QVERIFY2(text.contains(QStringLiteral("今晚停机维护。欢迎使用演示数据")) ||
                     text.contains(QStringLiteral("欢迎使用演示数据，祝使用愉快！今晚停机维护。")),
                 qPrintable(text));
        ModalAnswerer::clickButton(box, QStringLiteral("知道了"));
    });
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    DomainUser *user = logIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(user);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The program's main loop ends at the quit timer's first tick.
    // Ends the loop with 7 unless something ends it sooner; the timer goes with this test.
    QTimer latest;
    latest.setSingleShot(true);
    connect(&latest, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    latest.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(quitting.count(), 1);
    QVERIFY(!dialog.isVisible());
}

void TestLoginDialog::administratorIsNotForcedOut()
{
    // The compulsory reminder of the previous case is still on the server.
    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("今晚停机维护。"), QStringLiteral("知道了"));
    DomainUser *user = logIn(dialog, QStringLiteral("admin"), QStringLiteral("admin123"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(user);
    QCOMPARE(user->getGrade(), 5);
    // Ends the loop with 7 unless something ends it sooner; the timer goes with this test.
    QTimer latest;
    latest.setSingleShot(true);
    connect(&latest, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    latest.start(300);
    QCOMPARE(QCoreApplication::exec(), 7);
}

void TestLoginDialog::registeredUserCanLogIn()
{
    // From here on no announcement is compulsory: a quit timer left running by
    // a log-in would end the waits of the next one.
    const QJsonArray compulsory = ServerProcess::rows("message", " and message = '今晚停机维护。'");
    QCOMPARE(compulsory.size(), 1);
    QCOMPARE(ServerProcess::call("message", "delete", QJsonObject{{"dList", compulsory}}).value("flag").toInt(), 1);
    {
        RegistDialog regist;
        regist.show();
        fill(regist, "LineEdit_username", QStringLiteral("newbie"));
        fill(regist, "LineEdit_password1", QStringLiteral("fresh789"));
        fill(regist, "LineEdit_password2", QStringLiteral("fresh789"));
        fill(regist, "LineEdit_eMail", QStringLiteral("newbie@example.cn"));
        QTest::mouseClick(regist.findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
        QCOMPARE(regist.result(), int(QDialog::Accepted));
    }
    const QJsonArray stored = ServerProcess::rows("user", " and username = 'newbie'");
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].toObject().value("grade").toInt(), 1);
    QCOMPARE(stored[0].toObject().value("prohibit").toString(), QStringLiteral("正常"));

    {
        // The same name again: the server refuses, the dialog stays open.
        RegistDialog again;
        again.show();
        fill(again, "LineEdit_username", QStringLiteral("newbie"));
        fill(again, "LineEdit_password1", QStringLiteral("other1"));
        fill(again, "LineEdit_password2", QStringLiteral("other1"));
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("提示信息"), QStringLiteral("用户名已存在"), QStringLiteral("知道了"));
        QTest::mouseClick(again.findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
        QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
        QVERIFY(answerer.allAnswered());
        QVERIFY(again.isVisible());
    }

    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    // The reminders of the server, in one joined box.
    answerer.dialog("QMessageBox", [](QWidget *box) { ModalAnswerer::clickButton(box, QStringLiteral("知道了")); });
    DomainUser *user = logIn(dialog, QStringLiteral("newbie"), QStringLiteral("fresh789"));
    QVERIFY(user);
    QCOMPARE(user->getGrade(), 1);
    QCOMPARE(user->getEMail(), QStringLiteral("newbie@example.cn"));
}

void TestLoginDialog::changedPasswordIsTheOneThatLogsIn()
{
    DomainUser *user = nullptr;
    LoginDialog first;
    first.show();
    {
        ModalAnswerer answerer;
        answerer.dialog("QMessageBox", [](QWidget *box) { ModalAnswerer::clickButton(box, QStringLiteral("知道了")); });
        user = logIn(first, QStringLiteral("newbie"), QStringLiteral("fresh789"));
    }
    QVERIFY(user);

    PwdUpdateDialog dialog;
    dialog.receiveUser(*user, 0);
    dialog.show();
    fill(dialog, "LineEdit_password1", QStringLiteral("fresh789"));
    fill(dialog, "LineEdit_password2", QStringLiteral("second456"));
    fill(dialog, "LineEdit_password3", QStringLiteral("second456"));
    QTest::mouseClick(dialog.findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(user->getPassword(), QStringLiteral("second456"));
    // Fields that the change does not send are kept by the server.
    QCOMPARE(ServerProcess::rows("user", " and username = 'newbie'")[0].toObject().value("eMail").toString(),
             QStringLiteral("newbie@example.cn"));

    LoginDialog second;
    second.show();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("密码"), QStringLiteral("知道了"));
    QVERIFY(!logIn(second, QStringLiteral("newbie"), QStringLiteral("fresh789")));
    answerer.dialog("QMessageBox", [](QWidget *box) { ModalAnswerer::clickButton(box, QStringLiteral("知道了")); });
    QVERIFY(logIn(second, QStringLiteral("newbie"), QStringLiteral("second456")));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
}

void TestLoginDialog::debugOutputShowsNoPassword()
{
    qInstallMessageHandler(nullptr);
    const QString all = debugLines.join(u'\n');
    // The log-in, registration and password change replies were written ...
    QVERIFY2(all.contains(QStringLiteral("uiObject")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("UI")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("\"password\":\"******\"")), qPrintable(all));
    // ... but no password typed in any of them (the server's log-in reply carries it).
    for (const char *typed : {"demo123", "Demo123", "admin123", "banned123", "fresh789", "other1", "second456"})
        QVERIFY2(!all.contains(QLatin1String(typed)), typed);
}

QTEST_MAIN(TestLoginDialog)
#include "tst_logindialog.moc"
