// Registration and password change against a scripted server: the checks of the forms,
// the requests, refusals and a second press while the server is asked.
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <utility>

#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "pwdupdatedialog.h"
#include "registdialog.h"

class TestLoginChecks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void cleanup() { stub.setHandler(nullptr); }
    void registrationChecks_data();
    void registrationChecks();
    void passwordFieldTakesLettersAndDigitsOnly();
    void registrationSendsTheNewUser();
    void refusedRegistrationKeepsTheDialogOpenAndHeldItsConfirmWhileWaiting();
    void passwordChecks_data();
    void passwordChecks();
    void passwordChangeStoresTheNewPasswordOnlyWhenAgreed();

private:
    static void fill(QWidget &dialog, const QString &name, const QString &text)
    {
        auto *edit = dialog.findChild<QLineEdit *>(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    static QPushButton *confirm(QWidget &dialog) { return dialog.findChild<QPushButton *>("PushButton_confirem"); }
    HttpStub stub;
};

void TestLoginChecks::registrationChecks_data()
{
    QTest::addColumn<QStringList>("fields"); // name, password, repeat, telephone, e-mail
    QTest::addColumn<QString>("error");
    QTest::newRow("no name") << QStringList{"", "a1", "a1", "", ""} << QStringLiteral("用户名不能为空");
    QTest::newRow("no repeat") << QStringList{"u", "a1", "", "", ""} << QStringLiteral("密码不能为空");
    QTest::newRow("mismatch") << QStringList{"u", "a1", "A1", "", ""} << QStringLiteral("两次输入密码不一致，请重新输入");
    QTest::newRow("10 digits") << QStringList{"u", "a1", "a1", "1380000000", ""} << QStringLiteral("手机号码至少11位，请检查");
    QTest::newRow("11 letters") << QStringList{"u", "a1", "a1", "abcdefghijk", ""} << QString();
    QTest::newRow("no dot") << QStringList{"u", "a1", "a1", "", "a@b"} << QStringLiteral("请输入正确的邮箱");
    QTest::newRow("dot before at") << QStringList{"u", "a1", "a1", "", "a.b@c"} << QString();
}

void TestLoginChecks::registrationChecks()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, error);
    RegistDialog dialog;
    fill(dialog, "LineEdit_username", fields[0]);
    fill(dialog, "LineEdit_password1", fields[1]);
    fill(dialog, "LineEdit_password2", fields[2]);
    fill(dialog, "LineEdit_telephone", fields[3]);
    fill(dialog, "LineEdit_eMail", fields[4]);
    QCOMPARE(dialog.validityCheck(), error);
}

void TestLoginChecks::passwordFieldTakesLettersAndDigitsOnly()
{
    RegistDialog dialog;
    fill(dialog, "LineEdit_password1", QStringLiteral("ab c'9"));
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_password1")->text(), QStringLiteral("abc9"));
    fill(dialog, "LineEdit_password2", QStringLiteral("ab c'9"));
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_password2")->text(), QStringLiteral("ab c'9"));
}

void TestLoginChecks::registrationSendsTheNewUser()
{
    RegistDialog dialog;
    dialog.show();
    fill(dialog, "LineEdit_username", QStringLiteral("newbie"));
    fill(dialog, "LineEdit_password1", QStringLiteral("pw123"));
    fill(dialog, "LineEdit_password2", QStringLiteral("pw123"));
    fill(dialog, "LineEdit_telephone", QStringLiteral("13800000000"));
    // A second press while the server is asked must not send a second registration.
    bool pressedAgain = false;
    stub.setHandler([&](const StubRequest &) {
        if (!std::exchange(pressedAgain, true)) {
            QTest::mouseClick(confirm(dialog), Qt::LeftButton);
            QTest::keyClick(&dialog, Qt::Key_Return);
        }
        return StubResponse::envelope(1, QStringLiteral("注册成功"), QJsonValue::Null);
    });
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stub.requests[0].path, QByteArray("/android/user/add"));
    const QJsonObject record = stub.requests[0].json().value("dList").toArray().at(0).toObject();
    QCOMPARE(record.keys(), (QStringList{"comment", "eMail", "grade", "password", "prohibit", "realName",
                                         "registerDate", "telephone", "username"}));
    QCOMPARE(record.value("username").toString(), QStringLiteral("newbie"));
    QCOMPARE(record.value("password").toString(), QStringLiteral("pw123"));
    QCOMPARE(record.value("grade"), QJsonValue(1));
    QCOMPARE(record.value("prohibit").toString(), QStringLiteral("正常"));
    QCOMPARE(record.value("eMail").toString(), QString());
    QVERIFY(QDateTime::fromString(record.value("registerDate").toString(), "yyyy-MM-dd HH:mm:ss").isValid());
}

void TestLoginChecks::refusedRegistrationKeepsTheDialogOpenAndHeldItsConfirmWhileWaiting()
{
    RegistDialog dialog;
    dialog.show();
    ModalAnswerer answerer;
    answerer.box(QString(), QStringLiteral("用户名不能为空"), QStringLiteral("知道了"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY(stub.requests.isEmpty());

    fill(dialog, "LineEdit_username", QStringLiteral("demo"));
    fill(dialog, "LineEdit_password1", QStringLiteral("pw"));
    fill(dialog, "LineEdit_password2", QStringLiteral("pw"));
    // While the request waits the confirm button is held off: a second press sends nothing.
    bool heldDuringWait = false;
    stub.setHandler([&](const StubRequest &) {
        heldDuringWait = !confirm(dialog)->isEnabled();
        QTest::mouseClick(confirm(dialog), Qt::LeftButton);
        return StubResponse::envelope(0, QStringLiteral("用户名已存在"));
    });
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("用户名已存在"), QStringLiteral("知道了"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY(heldDuringWait);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.seen().contains(QStringLiteral("提示信息")));
    QVERIFY(dialog.isVisible());
    QVERIFY(confirm(dialog)->isEnabled());
    QCOMPARE(stub.requests.size(), 1);
}

void TestLoginChecks::passwordChecks_data()
{
    QTest::addColumn<QStringList>("fields"); // old, new, repeat
    QTest::addColumn<QString>("error");
    QTest::newRow("no old") << QStringList{"", "", ""} << QStringLiteral("旧密码不能为空");
    QTest::newRow("old in other case, new empty") << QStringList{"DEMO123", "", ""} << QStringLiteral("旧密码输入错误，请重试");
    QTest::newRow("no repeat") << QStringList{"demo123", "n", ""} << QStringLiteral("新密码不能为空");
    QTest::newRow("mismatch") << QStringList{"demo123", "n1", "n2"} << QStringLiteral("两次输入密码不一致，请重新输入");
    QTest::newRow("same as old") << QStringList{"demo123", "demo123", "demo123"} << QString();
}

void TestLoginChecks::passwordChecks()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, error);
    DomainUser user;
    user.setUsername(QStringLiteral("demo"));
    user.setPassword(QStringLiteral("demo123"));
    PwdUpdateDialog dialog;
    dialog.receiveUser(user, 0);
    QCOMPARE(dialog.findChild<QLabel *>("label_username")->text(), QStringLiteral("demo"));
    fill(dialog, "LineEdit_password1", fields[0]);
    fill(dialog, "LineEdit_password2", fields[1]);
    fill(dialog, "LineEdit_password3", fields[2]);
    QCOMPARE(dialog.validityCheck(), error);
    QCOMPARE(user.getPassword(), QStringLiteral("demo123"));
}

void TestLoginChecks::passwordChangeStoresTheNewPasswordOnlyWhenAgreed()
{
    DomainUser user;
    user.setId(2);
    user.setUsername(QStringLiteral("demo"));
    user.setPassword(QStringLiteral("demo123"));
    user.setGrade(1);
    user.setEMail(QStringLiteral("d@x.cn"));
    PwdUpdateDialog dialog;
    dialog.receiveUser(user, 0);
    dialog.show();
    fill(dialog, "LineEdit_password1", QStringLiteral("demo123"));
    fill(dialog, "LineEdit_password2", QStringLiteral("new456"));
    fill(dialog, "LineEdit_password3", QStringLiteral("new456"));

    // Refused: the user keeps the old password, so the same old password works again.
    stub.enqueue(StubResponse::envelope(0, QStringLiteral("修改失败")));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("修改失败"), QStringLiteral("知道了"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QCOMPARE(user.getPassword(), QStringLiteral("demo123"));
    QVERIFY(dialog.isVisible());

    // Agreed, with a second press during the wait: one request, then the new password.
    bool pressedAgain = false;
    stub.setHandler([&](const StubRequest &) {
        if (!std::exchange(pressedAgain, true))
            QTest::mouseClick(confirm(dialog), Qt::LeftButton);
        return StubResponse::envelope(1, QStringLiteral("修改成功"), QJsonValue::Null);
    });
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(user.getPassword(), QStringLiteral("new456"));

    const StubRequest &sent = stub.requests[1];
    QCOMPARE(sent.path, QByteArray("/android/user/update"));
    const QJsonObject record = sent.json().value("dList").toArray().at(0).toObject();
    QCOMPARE(record.keys(), (QStringList{"comment", "grade", "id", "loginDate", "password", "prohibit", "prohibitCause",
                                         "realName", "registerDate", "telephone", "userImage", "username"}));
    QCOMPARE(record.value("id"), QJsonValue(2));
    QCOMPARE(record.value("grade"), QJsonValue(1));
    QCOMPARE(record.value("password").toString(), QStringLiteral("new456"));
}

QTEST_MAIN(TestLoginChecks)
#include "tst_loginchecks.moc"
