// The user update dialog against the real server: the own profile and the
// administrators' mode; the request itself against the scripted stub.
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "scriptedserver.h"
#include "serverprocess.h"
#include "userupdatedialog.h"

class TestUserUpdateDialog : public QObject
{
    Q_OBJECT

signals:
    void sendUSER(DomainUser &user, int tag);

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void ownProfileIsStoredAndLocksGradeAndBan();
    void refusedChangeLeavesTheRecordAlone();
    void administratorChangesGradeAndBan();
    void gradeOutsideTheChoicesIsKept();
    void administratorKeepsUnlistedGradeAndBan();
    void recordWithoutIdIsStillAnUpdate(); // last: it stops the server

private:
    // The stored record of a user, as the server lists it (without its password).
    static void load(DomainUser &user, const QString &name);
    static QJsonObject stored(const QString &name);
    static void fill(QWidget &dialog, const char *name, const QString &text);
    static void type(QWidget *widget, const QString &text);
    static QPushButton *confirm(QWidget &dialog) { return dialog.findChild<QPushButton *>("PushButton_confirem"); }
    ServerProcess server{true};
};

QJsonObject TestUserUpdateDialog::stored(const QString &name)
{
    return ServerProcess::rows("user", QStringLiteral(" and username = '%1'").arg(name)).at(0).toObject();
}

void TestUserUpdateDialog::load(DomainUser &user, const QString &name)
{
    const QJsonObject row = stored(name);
    user.setId(row.value("id").toInt());
    user.setUsername(row.value("username").toString());
    user.setPassword(row.value("password").toString());
    user.setRealName(row.value("realName").toString());
    user.setTelephone(row.value("telephone").toString());
    user.setGrade(row.value("grade").toInt());
    user.setEMail(row.value("eMail").toString());
    user.setAdministrator(row.value("administrator").toString());
    user.setRegisterDate(row.value("registerDate").toString());
    user.setLoginDate(row.value("loginDate").toString());
    user.setProhibit(row.value("prohibit").toString());
    user.setProhibitCause(row.value("prohibitCause").toString());
    user.setComment(row.value("comment").toString());
}

void TestUserUpdateDialog::fill(QWidget &dialog, const char *name, const QString &text)
{
    auto *edit = dialog.findChild<QLineEdit *>(name);
    QVERIFY(edit);
    edit->clear();
    type(edit, text);
}

void TestUserUpdateDialog::type(QWidget *widget, const QString &text)
{
    // Chinese arrives through the input method as committed text.
    QInputMethodEvent commit;
    commit.setCommitString(text);
    widget->setFocus();
    QApplication::sendEvent(widget, &commit);
}

void TestUserUpdateDialog::ownProfileIsStoredAndLocksGradeAndBan()
{
    DomainUser user;
    load(user, "demo");
    user.setPassword(QStringLiteral("demo123")); // as typed at log-in
    UserUpdateDialog dialog;
    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &dialog, SLOT(recevieUser(DomainUser&,int)));
    emit sendUSER(user, 1);
    dialog.show();

    QCOMPARE(dialog.findChild<QLabel *>("label")->text(), QStringLiteral("等级(不能修改)"));
    QCOMPARE(dialog.findChild<QLabel *>("label_5")->text(), QStringLiteral("禁用状态(不能修改)"));
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_prohibitCause")->placeholderText(), QStringLiteral("不能修改"));
    QVERIFY(!dialog.findChild<QComboBox *>("comboBox_grade")->isEnabled());
    QVERIFY(!dialog.findChild<QComboBox *>("comboBox_prohibit")->isEnabled());
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_password")->echoMode(), QLineEdit::Password);
    QVERIFY(!dialog.findChild<QLineEdit *>("LineEdit_username")->isEnabled());

    fill(dialog, "LineEdit_realName", QStringLiteral("演示用户二"));
    fill(dialog, "LineEdit_telephone", QStringLiteral("13900000000"));
    fill(dialog, "LineEdit_eMail", QStringLiteral("demo@example.cn"));
    auto *comment = dialog.findChild<QTextEdit *>("TextEdit_comment");
    comment->clear();
    type(comment, QStringLiteral("自己改的"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QCOMPARE(user.getRealName(), QStringLiteral("演示用户二"));
    QCOMPARE(user.getEMail(), QStringLiteral("demo@example.cn"));
    const QJsonObject row = stored("demo");
    QCOMPARE(row.value("realName").toString(), QStringLiteral("演示用户二"));
    QCOMPARE(row.value("telephone").toString(), QStringLiteral("13900000000"));
    QCOMPARE(row.value("comment").toString(), QStringLiteral("自己改的"));
    QCOMPARE(row.value("grade").toInt(), 1);
    // The password went back unchanged: it still logs in.
    const QJsonObject login{{"dList", QJsonArray{QJsonObject{{"username", "demo"}, {"password", "demo123"}}}}};
    QCOMPARE(ServerProcess::call("user", "login", login).value("flag").toInt(), 1);
}

void TestUserUpdateDialog::refusedChangeLeavesTheRecordAlone()
{
    DomainUser user;
    load(user, "demo");
    const QString realName = user.getRealName();
    UserUpdateDialog dialog;
    dialog.recevieUser(user, 1);
    dialog.show();
    fill(dialog, "LineEdit_realName", QStringLiteral("不该留下"));
    fill(dialog, "LineEdit_telephone", QStringLiteral("1390000000"));

    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("手机号码至少11位，请检查"), QStringLiteral("知道了"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY(dialog.isVisible());

    // A record the server does not know: refused, and the record keeps its values.
    user.setId(987654);
    fill(dialog, "LineEdit_telephone", QString());
    answerer.dialog("QMessageBox", [](QWidget *box) {
        QVERIFY(ModalAnswerer::describe(box).contains(QStringLiteral("提示信息")));
        ModalAnswerer::clickButton(box, QStringLiteral("知道了"));
    });
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(dialog.isVisible());
    QCOMPARE(user.getRealName(), realName);
    QVERIFY(confirm(dialog)->isEnabled());
}

void TestUserUpdateDialog::administratorChangesGradeAndBan()
{
    DomainUser row;
    load(row, "demo");
    UserUpdateDialog dialog;
    dialog.recevieUser(row, 2);
    dialog.show();
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_password")->echoMode(), QLineEdit::Normal);
    QCOMPARE(dialog.findChild<QLineEdit *>("LineEdit_password")->text(), row.getPassword());
    auto *grade = dialog.findChild<QComboBox *>("comboBox_grade");
    auto *prohibit = dialog.findChild<QComboBox *>("comboBox_prohibit");
    QVERIFY(grade->isEnabled());
    QCOMPARE(grade->currentText(), QStringLiteral("1"));
    grade->setCurrentText(QStringLiteral("3"));
    prohibit->setCurrentText(QStringLiteral("禁止"));
    fill(dialog, "LineEdit_prohibitCause", QStringLiteral("测试禁用"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QJsonObject stored = TestUserUpdateDialog::stored("demo");
    QCOMPARE(stored.value("grade").toInt(), 3);
    QCOMPARE(stored.value("prohibit").toString(), QStringLiteral("禁止"));
    QCOMPARE(stored.value("prohibitCause").toString(), QStringLiteral("测试禁用"));
    QCOMPARE(row.getGrade(), 3);
}

void TestUserUpdateDialog::gradeOutsideTheChoicesIsKept()
{
    DomainUser admin;
    load(admin, "admin");
    admin.setGrade(6);
    UserUpdateDialog dialog;
    dialog.recevieUser(admin, 1);
    dialog.show();
    QCOMPARE(dialog.findChild<QComboBox *>("comboBox_grade")->currentText(), QStringLiteral("6"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored("admin").value("grade").toInt(), 6);
    QCOMPARE(admin.getGrade(), 6);
}

void TestUserUpdateDialog::administratorKeepsUnlistedGradeAndBan()
{
    DomainUser row;
    load(row, "demo");
    row.setGrade(6);
    row.setProhibit(QStringLiteral("停用"));
    UserUpdateDialog dialog;
    dialog.recevieUser(row, 2);
    dialog.show();
    auto *grade = dialog.findChild<QComboBox *>("comboBox_grade");
    auto *prohibit = dialog.findChild<QComboBox *>("comboBox_prohibit");
    // Shown as extra items beside the listed ones, which stay to choose from.
    QCOMPARE(grade->currentText(), QStringLiteral("6"));
    QCOMPARE(grade->count(), 6);
    QCOMPARE(prohibit->currentText(), QStringLiteral("停用"));
    QCOMPARE(prohibit->itemText(1), QStringLiteral("禁止"));
    fill(dialog, "LineEdit_administrator", QStringLiteral("boss"));
    QTest::mouseClick(confirm(dialog), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QJsonObject after = stored("demo");
    QCOMPARE(after.value("grade").toInt(), 6);
    QCOMPARE(after.value("prohibit").toString(), QStringLiteral("停用"));
    QCOMPARE(after.value("administrator").toString(), QStringLiteral("boss"));
}

void TestUserUpdateDialog::recordWithoutIdIsStillAnUpdate()
{
    ScriptedServer scripted(server);
    HttpStub &stub = scripted.stub;
    QVERIFY(stub.listen(8091));
    stub.setHandler([](const StubRequest &) { return StubResponse::envelope(1, QStringLiteral("ok")); });
    DomainUser user;
    user.setUsername(QStringLiteral("nobody"));
    for (int tag : {1, 2}) {
        UserUpdateDialog dialog;
        dialog.recevieUser(user, tag);
        dialog.show();
        QTest::mouseClick(confirm(dialog), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(stub.requests.size(), 2);
    for (const StubRequest &request : stub.requests) {
        QCOMPARE(request.path, QByteArray("/android/user/update"));
        const QJsonObject record = request.json().value("dList").toArray().at(0).toObject();
        QCOMPARE(record.value("id"), QJsonValue(0));
        QCOMPARE(record.value("username").toString(), QStringLiteral("nobody"));
    }
}

QTEST_MAIN(TestUserUpdateDialog)
#include "tst_userupdatedialog.moc"
