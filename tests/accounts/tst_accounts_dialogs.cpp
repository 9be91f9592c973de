// The account add/update dialog against the real server, and the search
// dialog's condition string, each driven as a person would.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "accountaddupdatedialog.h"
#include "domainaccount.h"
#include "domainui.h"
#include "modalanswerer.h"
#include "searchdialog.h"
#include "serverprocess.h"

namespace {

const QString kEntity = QStringLiteral("accountInfo");

template<class T>
T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

void click(QWidget *w, const char *name)
{
    QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
}

void fill(QWidget *w, const char *name, const QString &text)
{
    auto *edit = child<QLineEdit>(w, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void tick(QWidget *w, const QString &name)
{
    QTest::mouseClick(w->findChild<QCheckBox *>(name), Qt::LeftButton);
}

} // namespace

class TestAccountsDialogs : public QObject
{
    Q_OBJECT

private slots:
    void checksReportTheFirstProblemOnly_data();
    void checksReportTheFirstProblemOnly();
    void addStoresANewAccountOfTheUser();
    void updateKeepsIdDatesOwnerAndAPlainTextComment();
    void failedWriteKeepsTheDialogOpen();
    void searchFragmentsInReadOrder();
    void searchDatesAndOperators();
    void searchRefusalsAndQueryAll();
    void searchClearKeepsPageSizeAndDates();
};

void TestAccountsDialogs::checksReportTheFirstProblemOnly_data()
{
    QTest::addColumn<QStringList>("fields"); // name, login, password, mail, phone
    QTest::addColumn<QString>("message");
    QTest::newRow("all empty") << QStringList{"", "", "", "", ""} << "你要注册哪个门户用户，这个名字不能为空";
    QTest::newRow("no login name") << QStringList{"s", "", "", "", ""} << "注册时使用的登录名，不能为空";
    QTest::newRow("no password") << QStringList{"s", "u", "", "", ""} << "注册使用的密码，不能为空";
    QTest::newRow("mail without dot") << QStringList{"s", "u", "p", "a@b", ""} << "邮箱格式不正确，请检查";
    QTest::newRow("mail without at") << QStringList{"s", "u", "p", "a.b", ""} << "邮箱格式不正确，请检查";
    QTest::newRow("phone of 10") << QStringList{"s", "u", "p", ".@", "1234567890"} << "手机号码至少11位，请检查";
}

void TestAccountsDialogs::checksReportTheFirstProblemOnly()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    ServerProcess server(false);
    QVERIFY(server.start());
    AccountAddUpdateDialog dialog;
    dialog.show();
    const char *names[] = {"accountNameLineEdit", "usernameLineEdit", "passwordLineEdit", "eMailLineEdit",
                           "telephoneLineEdit"};
    for (int i = 0; i < 5; ++i)
        fill(&dialog, names[i], fields.at(i));
    ModalAnswerer answerer;
    answerer.box("提示信息", message, "知道了");
    click(&dialog, "confiremPushButton");
    ANSWERED(answerer);
    QVERIFY(dialog.isVisible());
    QCOMPARE(ServerProcess::rows(kEntity).size(), 0);
}

void TestAccountsDialogs::addStoresANewAccountOfTheUser()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    AccountAddUpdateDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("添加窗口"));
    QCOMPARE(child<QPushButton>(&dialog, "confiremPushButton")->text(), QStringLiteral("添   加"));
    QCOMPARE(child<QPushButton>(&dialog, "confiremPushButton")->shortcut(), QKeySequence(QStringLiteral("Return")));
    QString owner = QStringLiteral("alice");
    dialog.receiveUser(owner);
    dialog.show();
    fill(&dialog, "accountNameLineEdit", "site");
    fill(&dialog, "usernameLineEdit", "me");
    fill(&dialog, "passwordLineEdit", "pw");
    fill(&dialog, "eMailLineEdit", ".@");          // both characters are all the check asks for
    fill(&dialog, "telephoneLineEdit", "abcdefghijk"); // 11 characters of any kind
    QTest::keyClicks(child<QTextEdit>(&dialog, "commentTextEdit"), "note");
    const QString before = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    click(&dialog, "confiremPushButton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QJsonArray rows = ServerProcess::rows(kEntity);
    QCOMPARE(rows.size(), 1);
    const QJsonObject stored = rows.at(0).toObject();
    QCOMPARE(stored["loginName"].toString(), owner);
    QCOMPARE(stored["eMail"].toString(), QStringLiteral(".@"));
    QCOMPARE(stored["telephone"].toString(), QStringLiteral("abcdefghijk"));
    QCOMPARE(stored["userRealName"].toString(), QString(""));
    QCOMPARE(stored["comment"].toString(), QStringLiteral("note"));
    QVERIFY(stored["registerDate"].toString() >= before);
    QCOMPARE(stored["updateDate"].toString(), stored["registerDate"].toString());
}

void TestAccountsDialogs::updateKeepsIdDatesOwnerAndAPlainTextComment()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    QJsonObject seedRecord{{"accountName", "site"}, {"username", "u"},       {"password", "p"},
                           {"registerDate", "2019-09-09 09:09:09"},          {"updateDate", "2019-09-09 09:09:09"},
                           {"loginName", "bob"},    {"comment", "a <i>tag</i>"}};
    QCOMPARE(ServerProcess::add(kEntity, seedRecord)["flag"].toInt(), 1);
    const QJsonObject stored = ServerProcess::rows(kEntity).at(0).toObject();

    DomainAccount row;
    row.setId(stored["id"].toInt());
    row.setAccountName("site");
    row.setUsername("u");
    row.setPassword("p");
    row.setRegisterDate("2019-09-09 09:09:09");
    row.setLoginName("bob");
    row.setComment("a <i>tag</i>");
    AccountAddUpdateDialog dialog;
    dialog.receiveAccount(row);
    QString other = QStringLiteral("mallory");
    dialog.receiveUser(other); // an existing record keeps its owner
    QCOMPARE(dialog.windowTitle(), QStringLiteral("更新窗口"));
    QCOMPARE(child<QPushButton>(&dialog, "confiremPushButton")->text(), QStringLiteral("更   新"));
    QCOMPARE(child<QPushButton>(&dialog, "confiremPushButton")->shortcut(), QKeySequence(QStringLiteral("Return")));
    QVERIFY(!child<QLineEdit>(&dialog, "accountNameLineEdit")->isEnabled());
    QCOMPARE(child<QTextEdit>(&dialog, "commentTextEdit")->toPlainText(), QStringLiteral("a <i>tag</i>"));
    dialog.show();
    fill(&dialog, "usernameLineEdit", "u2");
    click(&dialog, "confiremPushButton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    const QJsonObject after = ServerProcess::rows(kEntity).at(0).toObject();
    QCOMPARE(after["id"].toInt(), stored["id"].toInt());
    QCOMPARE(after["username"].toString(), QStringLiteral("u2"));
    QCOMPARE(after["accountName"].toString(), QStringLiteral("site"));
    QCOMPARE(after["registerDate"].toString(), QStringLiteral("2019-09-09 09:09:09"));
    QCOMPARE(after["loginName"].toString(), QStringLiteral("bob"));
    QCOMPARE(after["comment"].toString(), QStringLiteral("a <i>tag</i>"));
    QVERIFY(after["updateDate"].toString() > QStringLiteral("2019-09-09 09:09:09"));
    QCOMPARE(row.getUsername(), QStringLiteral("u")); // the caller's record is not touched
}

void TestAccountsDialogs::failedWriteKeepsTheDialogOpen()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    AccountAddUpdateDialog dialog;
    dialog.show();
    fill(&dialog, "accountNameLineEdit", "site");
    fill(&dialog, "usernameLineEdit", "me");
    fill(&dialog, "passwordLineEdit", "pw");
    server.stop();
    ModalAnswerer answerer;
    answerer.box("提示信息", "没有网络连接或是数据请求错误，请优先检查是否连接网络!", "知道了");
    click(&dialog, "confiremPushButton");
    ANSWERED(answerer);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(child<QLineEdit>(&dialog, "passwordLineEdit")->text(), QStringLiteral("pw"));

    // Cancel ends the dialog without a write.
    click(&dialog, "cancelPushButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestAccountsDialogs::searchFragmentsInReadOrder()
{
    SearchDialog dialog;
    DomainUi window;
    window.setPageSize(30);
    dialog.receiveGrade(5);
    dialog.receiveDomainUi(window);
    dialog.show();
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_pageSize")->text(), QStringLiteral("30"));
    QSignalSpy sent(&dialog, &SearchDialog::sendDomainUi);

    // Switched on in screen order; the condition follows the read order.
    const QStringList screen{"accountName", "loginName", "userRealName", "eMail", "telephone",
                             "information1", "information2", "comment", "username"};
    for (const QString &field : screen) {
        tick(&dialog, "checkBox_" + field);
        QTest::keyClicks(dialog.findChild<QLineEdit *>("lineEdit_" + field), field.left(3) + "'x");
    }
    QString expected;
    for (const char *field : {"accountName", "username", "userRealName", "eMail", "telephone", "information1",
                              "information2", "comment", "loginName"})
        expected += QStringLiteral(" and %1 like '%%2''x%'").arg(field, QString(field).left(3));
    QCOMPARE(dialog.getConditionStr(), expected);

    click(&dialog, "pushButton_confirm");
    QCOMPARE(sent.size(), 1);
    QVERIFY(dialog.isVisible()); // stays open for the next refinement

    // A switched-on text row with an empty field adds nothing.
    child<QLineEdit>(&dialog, "lineEdit_accountName")->clear();
    QVERIFY(!dialog.getConditionStr().contains("accountName"));
}

void TestAccountsDialogs::searchDatesAndOperators()
{
    SearchDialog dialog;
    dialog.receiveGrade(5);
    dialog.show();
    auto *registerOp = child<QComboBox>(&dialog, "comboBox_registerDate");
    QCOMPARE(registerOp->count(), 7);
    QCOMPARE(registerOp->itemText(6), QStringLiteral("介于"));
    QCOMPARE(child<QDateEdit>(&dialog, "dateEdit_registerDate1")->date(), QDate::currentDate());
    QVERIFY(!child<QDateEdit>(&dialog, "dateEdit_registerDate2")->isVisible());

    tick(&dialog, "checkBox_1registerDate");
    registerOp->setCurrentText(">=");
    child<QDateEdit>(&dialog, "dateEdit_registerDate1")->setDate(QDate(2024, 2, 3));
    QCOMPARE(dialog.getConditionStr(), QStringLiteral(" and date(registerDate) >= '2024-02-03'"));

    registerOp->setCurrentText("介于");
    QVERIFY(child<QDateEdit>(&dialog, "dateEdit_registerDate2")->isVisible());
    child<QDateEdit>(&dialog, "dateEdit_registerDate2")->setDate(QDate(2023, 1, 1));
    tick(&dialog, "checkBox_updateDate");
    child<QComboBox>(&dialog, "comboBox_updateDate")->setCurrentText("!=");
    child<QDateEdit>(&dialog, "dateEdit_updateDate")->setDate(QDate(2024, 5, 6));
    tick(&dialog, "checkBox_accountName");
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_accountName"), "abc");
    QCOMPARE(dialog.getConditionStr(),
             QStringLiteral(" and accountName like '%abc%'"
                            " and date(registerDate) between '2024-02-03' and '2023-01-01' "
                            " and date(updateDate) != '2024-05-06'"));
    registerOp->setCurrentText("<");
    QVERIFY(!child<QDateEdit>(&dialog, "dateEdit_registerDate2")->isVisible());
}

void TestAccountsDialogs::searchRefusalsAndQueryAll()
{
    SearchDialog dialog;
    DomainUi window;
    window.setPageSize(30);
    dialog.receiveGrade(3);
    dialog.receiveDomainUi(window);
    dialog.show();
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_loginName")->isVisible());
    QSignalSpy sent(&dialog, &SearchDialog::sendDomainUi);
    DomainUi received;
    connect(&dialog, &SearchDialog::sendDomainUi, this, [&received](DomainUi &ui) {
        received.setPageSize(ui.getPageSize());
        received.setCurPage(ui.getCurPage());
        received.setConditionStr(ui.getConditionStr());
    });

    ModalAnswerer answerer;
    answerer.box("查询异常提示", "请选择左侧查询开关,并填写查询条件", "知道了");
    tick(&dialog, "checkBox_comment"); // on, but nothing typed
    click(&dialog, "pushButton_confirm");
    ANSWERED(answerer);

    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_comment"), "x");
    child<QLineEdit>(&dialog, "lineEdit_pageSize")->clear();
    answerer.box("提示", "每页显示个数不能为空", "知道了");
    click(&dialog, "pushButton_confirm");
    ANSWERED(answerer);
    QCOMPARE(sent.size(), 0);

    // No page size below 1 is handed over: the field takes neither a sign nor a zero.
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_pageSize"), "0");
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_pageSize")->text(), QString());
    answerer.box("提示", "每页显示个数不能为空", "知道了");
    click(&dialog, "pushButton_confirm");
    ANSWERED(answerer);
    QCOMPARE(sent.size(), 0);
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_pageSize"), "-5");
    click(&dialog, "pushButton_confirm");
    QCOMPARE(sent.size(), 1);
    QCOMPARE(received.getPageSize(), 5);
    QCOMPARE(received.getCurPage(), 1);
    QCOMPARE(received.getConditionStr(), QStringLiteral(" and comment like '%x%'"));

    // "查询全部": the standard warning box when the page size is missing ...
    child<QLineEdit>(&dialog, "lineEdit_pageSize")->clear();
    answerer.box("提示", "每页显示个数不能为空", "OK");
    click(&dialog, "pushButton_findAll");
    ANSWERED(answerer);
    QVERIFY(dialog.isVisible());
    // ... else an empty condition, whatever is switched on, and the dialog closes.
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_pageSize"), "12");
    click(&dialog, "pushButton_findAll");
    QCOMPARE(sent.size(), 2);
    QCOMPARE(received.getConditionStr(), QString());
    QCOMPARE(received.getPageSize(), 12);
    QVERIFY(!dialog.isVisible());
}

void TestAccountsDialogs::searchClearKeepsPageSizeAndDates()
{
    SearchDialog dialog;
    dialog.receiveGrade(5);
    dialog.show();
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_pageSize"), "15");
    tick(&dialog, "checkBox_eMail");
    QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_eMail"), "q");
    tick(&dialog, "checkBox_1registerDate");
    child<QComboBox>(&dialog, "comboBox_registerDate")->setCurrentText("介于");
    child<QDateEdit>(&dialog, "dateEdit_registerDate1")->setDate(QDate(2020, 1, 1));
    click(&dialog, "pushButton_clear");
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_eMail")->isChecked());
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_1registerDate")->isChecked());
    QVERIFY(child<QLineEdit>(&dialog, "lineEdit_eMail")->text().isEmpty());
    QCOMPARE(child<QComboBox>(&dialog, "comboBox_registerDate")->currentText(), QStringLiteral(">"));
    QVERIFY(!child<QDateEdit>(&dialog, "dateEdit_registerDate2")->isVisible());
    QCOMPARE(child<QDateEdit>(&dialog, "dateEdit_registerDate1")->date(), QDate(2020, 1, 1));
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_pageSize")->text(), QStringLiteral("15"));
    QCOMPARE(dialog.getConditionStr(), QString());
}

QTEST_MAIN(TestAccountsDialogs)
#include "tst_accounts_dialogs.moc"
