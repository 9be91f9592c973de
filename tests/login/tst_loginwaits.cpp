// The log-in dialog against a scripted server: the exact announcement queries, leaving
// while the server is asked, and the selection rules of the announcement checks.
#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "domainuser.h"
#include "httpstub.h"
#include "logindialog.h"
#include "modalanswerer.h"

namespace {

StubResponse loginReply(int grade, const QString &prohibit = QStringLiteral("正常"), const QString &cause = QString())
{
    return StubResponse::envelope(1, QStringLiteral("登录成功"),
                                  QJsonObject{{"flag", 1},
                                              {"dList", QJsonArray{QJsonObject{{"id", 7},
                                                                               {"username", "ignored"},
                                                                               {"password", "ignored"},
                                                                               {"grade", grade},
                                                                               {"realName", "张三"},
                                                                               {"eMail", "z@x.cn"},
                                                                               {"prohibit", prohibit},
                                                                               {"prohibitCause", cause}}}}});
}

QJsonObject announcement(const QString &text, int grade, const QJsonValue &flag = QJsonValue(),
                         const QString &showDate = QString(), const QString &showEndDate = QString())
{
    QJsonObject message{{"message", text}, {"grade", grade}, {"showDate", showDate}, {"showEndDate", showEndDate}};
    if (!flag.isUndefined() && !flag.isNull())
        message.insert("flag", flag);
    return message;
}

} // namespace

class TestLoginWaits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void cleanup() { stub.setHandler(nullptr); }
    void emptyFieldSendsNothing();
    void announcementsAreJoinedAndForceTheQuit();
    void leavingWhileTheServerIsAskedEndsTheDialog();
    void reminderSelection_data();
    void reminderSelection();
    void versionSelection();
    // Last: leaving through the context menu ends every running event loop.
    void contextMenuExitWhileTheServerIsAsked();

private:
    void typeAndLogIn(LoginDialog &dialog, const QString &name, const QString &password);
    // Logs in and runs `leave` while the server is asked: the log-in is abandoned.
    void leaveWhileAsked(LoginDialog &dialog, const std::function<void()> &leave);
    HttpStub stub;
};

void TestLoginWaits::typeAndLogIn(LoginDialog &dialog, const QString &name, const QString &password)
{
    auto *userEdit = dialog.findChild<QLineEdit *>("userLineEdit");
    auto *pwdEdit = dialog.findChild<QLineEdit *>("pwdLineEdit");
    userEdit->clear();
    pwdEdit->clear();
    QTest::keyClicks(userEdit, name);
    QTest::keyClicks(pwdEdit, password);
    QTest::mouseClick(dialog.findChild<QPushButton *>("loginPushButton"), Qt::LeftButton);
}

void TestLoginWaits::emptyFieldSendsNothing()
{
    LoginDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示"), QStringLiteral("用户名或密码不能为空"), QStringLiteral("OK"));
    typeAndLogIn(dialog, QStringLiteral("demo"), QString());
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(stub.requests.isEmpty());
}



void TestLoginWaits::announcementsAreJoinedAndForceTheQuit()
{
    LoginDialog dialog;
    dialog.show();
    DomainUser *received = nullptr;
    connect(&dialog, &LoginDialog::sendUser, this, [&](DomainUser &user) {
        received = &user;
        QVERIFY(dialog.isVisible()); // the dashboard takes the user while the dialog is still up
    });
    const QDateTime now = QDateTime::currentDateTime();
    const QString past = now.addDays(-1).toString("yyyy-MM-dd HH:mm:ss");
    const QString future = now.addDays(1).toString("yyyy-MM-dd HH:mm:ss");
    stub.enqueue(loginReply(1));
    stub.enqueue(StubResponse::list(QJsonArray{announcement("周末停机维护。", 1, {}, past, future),
                                               announcement("还没开始", 3, {}, future),
                                               announcement("请及时备份。", 1, {}, QString(), future)},
                                    3));
    stub.enqueue(StubResponse::list(QJsonArray{announcement("1.0版本", 1, 1.0)}, 1));

    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("周末停机维护。请及时备份。"), QStringLiteral("知道了"));
    typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(received);
    QCOMPARE(received->getUsername(), QStringLiteral("demo"));
    QCOMPARE(received->getPassword(), QStringLiteral("demo123"));
    QCOMPARE(received->getId(), 7);
    QCOMPARE(received->getRealName(), QStringLiteral("张三"));
    QCOMPARE(received->getEMail(), QStringLiteral("z@x.cn"));

    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[1].path, QByteArray("/android/message/findByCondition"));
    QCOMPARE(stub.requests[1].json(),
             (QJsonObject{{"conditionStr", "and appOS = 'windows' and mold = 'reminder' and showSwitchStr = '展示'"},
                          {"order", "DESC"}}));
    QCOMPARE(stub.requests[2].json(),
             (QJsonObject{{"conditionStr", "and appOS = 'windows' and mold = 'versions' and showSwitchStr = '展示'"},
                          {"order", "DESC"}}));

    // The compulsory announcement (grade 3) ends the program once its event loop runs.
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    // Ends the loop with 7 unless something ends it sooner; the timer goes with this test.
    QTimer latest;
    latest.setSingleShot(true);
    connect(&latest, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    latest.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(quitting.count(), 1);
    QVERIFY(!dialog.isVisible());
}


void TestLoginWaits::leaveWhileAsked(LoginDialog &dialog, const std::function<void()> &leave)
{
    dialog.show();
    QSignalSpy sent(&dialog, &LoginDialog::sendUser);
    stub.setHandler([leave](const StubRequest &) {
        leave();
        return loginReply(1);
    });
    ModalAnswerer answerer;
    typeAndLogIn(dialog, QStringLiteral("demo"), QStringLiteral("demo123"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(sent.count(), 0);
    QCOMPARE(stub.requests.size(), 1);
}

void TestLoginWaits::leavingWhileTheServerIsAskedEndsTheDialog()
{
    LoginDialog dialog;
    // The user gives up (Escape) while the server is still answering the log-in.
    leaveWhileAsked(dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
}

void TestLoginWaits::reminderSelection_data()
{
    QTest::addColumn<QString>("showDate");
    QTest::addColumn<QString>("showEndDate");
    QTest::addColumn<bool>("selected");
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    const QDateTime now = QDateTime(QDate(2026, 3, 1), QTime(12, 0, 0));
    QTest::newRow("no bounds") << QString() << QString() << true;
    QTest::newRow("bounds equal to now") << now.toString(format) << now.toString(format) << true;
    QTest::newRow("starts tomorrow") << now.addDays(1).toString(format) << QString() << false;
    QTest::newRow("ended a second ago") << QString() << now.addSecs(-1).toString(format) << false;
    QTest::newRow("unreadable start") << QStringLiteral("soon") << now.addDays(1).toString(format) << true;
    QTest::newRow("date only end") << QString() << QStringLiteral("2026-02-01") << true;
}

void TestLoginWaits::reminderSelection()
{
    QFETCH(QString, showDate);
    QFETCH(QString, showEndDate);
    QFETCH(bool, selected);
    const QDateTime now = QDateTime(QDate(2026, 3, 1), QTime(12, 0, 0));
    QCOMPARE(LoginDialog::reminderSelected(QJsonObject{{"showDate", showDate}, {"showEndDate", showEndDate}}, now),
             selected);
}

void TestLoginWaits::versionSelection()
{
    QVERIFY(LoginDialog::versionSelected(QJsonObject{{"flag", 1.01}}, 1.0));
    QVERIFY(!LoginDialog::versionSelected(QJsonObject{{"flag", 1.0}}, 1.0));
    QVERIFY(!LoginDialog::versionSelected(QJsonObject{{"flag", "2.0"}}, 1.0));
    QVERIFY(!LoginDialog::versionSelected(QJsonObject{{"flag", QJsonValue::Null}}, 1.0));
    QVERIFY(!LoginDialog::versionSelected(QJsonObject(), 1.0));
}

void TestLoginWaits::contextMenuExitWhileTheServerIsAsked()
{
    LoginDialog dialog;
    QAction *exit = nullptr;
    for (QAction *action : dialog.findChildren<QAction *>())
        if (action->text() == QStringLiteral("退出"))
            exit = action;
    QVERIFY(exit);
    leaveWhileAsked(dialog, [exit] { exit->trigger(); });
}

QTEST_MAIN(TestLoginWaits)
#include "tst_loginwaits.moc"
