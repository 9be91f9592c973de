// The reminder add/update dialog against the real server, and the condition
// string of the reminder search dialog, each driven as a person would.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "domainremind.h"
#include "domainui.h"
#include "domainuser.h"
#include "modalanswerer.h"
#include "remindaddupdatedialog.h"
#include "remindjson.h"
#include "remindsearchdialog.h"
#include "serverprocess.h"

namespace {

const QString kEntity = QStringLiteral("remind");
const QString kConfirm = QStringLiteral("PushButton_confirem");

template<class T>
T *child(QWidget *w, const QString &name)
{
    return w->findChild<T *>(name);
}

void click(QWidget *w, const QString &name)
{
    QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
}

void fill(QWidget *w, const QString &name, const QString &text)
{
    auto *edit = child<QLineEdit>(w, name);
    edit->clear();
    edit->insert(text); // as an input method commits it
}

void tick(QWidget *w, const QString &name)
{
    QTest::mouseClick(child<QCheckBox>(w, name), Qt::LeftButton);
}

void writeContent(QWidget *w, const QString &text)
{
    auto *content = child<QPlainTextEdit>(w, "textEdit_content");
    content->clear();
    content->insertPlainText(text);
}

void setDate(QWidget *w, const QString &name, const QDate &date)
{
    child<QDateEdit>(w, name)->setDate(date);
}

QDate today()
{
    return QDate::currentDate();
}

// A dialog as the window opens it: the user first, then (for a change) the row's record.
struct Dialog {
    DomainUser user;
    RemindAddUpdateDialog dialog;

    explicit Dialog(int grade, const QString &eMail = QString(), const QString &name = QStringLiteral("alice"))
    {
        user.setUsername(name);
        user.setGrade(grade);
        user.setEMail(eMail);
        dialog.receiveUser(user);
    }
    void show() { dialog.show(); }
};

DomainRemind *stored(const QString &title, QObject *parent)
{
    const QJsonArray rows = ServerProcess::rows(kEntity, QStringLiteral(" and title = '%1'").arg(title));
    if (rows.size() != 1)
        return nullptr;
    auto *remind = new DomainRemind(parent);
    RemindJson::fromJson(rows.at(0).toObject(), *remind);
    return remind;
}

} // namespace

class TestRemindersDialogs : public QObject
{
    Q_OBJECT

private slots:
    void checksReportTheFirstProblemOnly_data();
    void checksReportTheFirstProblemOnly();
    void addStoresTheUsersReminder();
    void changeKeepsOwnerAndAddDateAndNeedsALaterDate();
    void storedValuesOutsideTheFormAreKept();
    void emailSwitchFollowsTheGrade();
    void failedWriteKeepsTheDialogOpen();
    void searchFragmentsInReadOrder();
    void searchRefusalsClearAndQueryAll();
};

void TestRemindersDialogs::checksReportTheFirstProblemOnly_data()
{
    QTest::addColumn<QString>("mail");    // empty: e-mail switch off
    QTest::addColumn<int>("dayOffset");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("mail switch on, no address") << "-" << 0 << "" << "既然选择了邮件提醒,请输入邮箱名称";
    QTest::newRow("address without dot") << "a@b" << 0 << "" << "请输入正确的邮箱";
    QTest::newRow("address without at") << "a.b" << 1 << "x" << "请输入正确的邮箱";
    QTest::newRow("date today") << ".@" << 0 << "" << "提醒日期必须大于今天";
    QTest::newRow("date past") << "" << -4 << "x" << "提醒日期必须大于今天";
    QTest::newRow("no content") << "" << 1 << "" << "提醒事件内容不能为空";
}

void TestRemindersDialogs::checksReportTheFirstProblemOnly()
{
    QFETCH(QString, mail);
    QFETCH(int, dayOffset);
    QFETCH(QString, content);
    QFETCH(QString, message);
    ServerProcess server(false);
    QVERIFY(server.start());
    Dialog d(2);
    d.show();
    if (!mail.isEmpty()) {
        tick(&d.dialog, "checkBox_remindMethod");
        if (mail != "-")
            fill(&d.dialog, "lineEdit_remindMethodBody", mail);
    }
    setDate(&d.dialog, "dateEdit_remindDate", today().addDays(dayOffset));
    writeContent(&d.dialog, content);
    ModalAnswerer answerer;
    answerer.box("提示信息", message, "知道了");
    click(&d.dialog, kConfirm);
    ANSWERED(answerer);
    QVERIFY(d.dialog.isVisible());
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 0);
}

void TestRemindersDialogs::addStoresTheUsersReminder()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    Dialog d(2, "me@mail.cn");
    d.show();
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("添加提醒事件"));
    QCOMPARE(child<QPushButton>(&d.dialog, kConfirm)->text(), QStringLiteral("添   加"));
    auto *mold = child<QComboBox>(&d.dialog, "comboBox_mold");
    auto *isRemind = child<QComboBox>(&d.dialog, "comboBox_isRemind");
    QCOMPARE(mold->count(), 4);
    QCOMPARE(mold->itemText(3), QStringLiteral("其它"));
    QCOMPARE(isRemind->currentText(), QStringLiteral("开启"));
    QCOMPARE(child<QLineEdit>(&d.dialog, "lineEdit_remindDateNumber")->text(), QStringLiteral("0"));
    QCOMPARE(child<QDateEdit>(&d.dialog, "dateEdit_remindDate")->date(), today());

    mold->setCurrentIndex(1);
    tick(&d.dialog, "checkBox_remindMethod");
    fill(&d.dialog, "lineEdit_remindDateNumber", "-3");
    fill(&d.dialog, "lineEdit_title", "O'Neil 生日");
    fill(&d.dialog, "lineEdit_address", "http://x.cn");
    writeContent(&d.dialog, "买蛋糕\n订餐厅");
    setDate(&d.dialog, "dateEdit_remindDate", today().addDays(1));
    click(&d.dialog, kConfirm);
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));

    QObject owner;
    const DomainRemind *r = stored("O''Neil 生日", &owner);
    QVERIFY(r);
    QCOMPARE(r->getLoginName(), QStringLiteral("alice"));
    QCOMPARE(r->getIsRemind(), QStringLiteral("开启"));
    QCOMPARE(r->getMold(), QStringLiteral("生日"));
    QCOMPARE(r->getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(r->getRemindMethodBody(), QStringLiteral("me@mail.cn"));
    QCOMPARE(r->getRemindDate(), today().addDays(1).toString("yyyy-MM-dd"));
    QCOMPARE(r->getRemindDateNumber(), -3);
    QCOMPARE(r->getContent(), QStringLiteral("买蛋糕\n订餐厅"));
    QCOMPARE(r->getAddress(), QStringLiteral("http://x.cn"));
    QCOMPARE(r->getComment(), QString());
    const QDateTime added = QDateTime::fromString(r->getRegisterDate(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(qAbs(added.secsTo(QDateTime::currentDateTime())) < 60);
    QVERIFY(qAbs(added.secsTo(QDateTime::fromString(r->getUpdateDate(), "yyyy-MM-dd HH:mm:ss"))) <= 1);

    // Days emptied or a lone sign count 0.
    for (const char *days : {"", "-"}) {
        Dialog again(1);
        again.show();
        fill(&again.dialog, "lineEdit_remindDateNumber", days);
        fill(&again.dialog, "lineEdit_title", QStringLiteral("days%1").arg(days));
        writeContent(&again.dialog, "c");
        setDate(&again.dialog, "dateEdit_remindDate", today().addDays(2));
        click(&again.dialog, kConfirm);
        QCOMPARE(again.dialog.result(), int(QDialog::Accepted));
        const DomainRemind *s = stored(QStringLiteral("days%1").arg(days), &owner);
        QVERIFY(s);
        QCOMPARE(s->getRemindDateNumber(), 0);
        QCOMPARE(s->getRemindMethod(), QString());
    }
}

void TestRemindersDialogs::changeKeepsOwnerAndAddDateAndNeedsALaterDate()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    const QJsonObject seeded{{"id", 0},
                             {"isRemind", "关闭"},
                             {"mold", "缴费"},
                             {"title", "电费"},
                             {"content", "交电费"},
                             {"address", "http://pay"},
                             {"registerDate", "2020-01-01 08:00:00"},
                             {"updateDate", "2020-01-02 08:00:00"},
                             {"remindDate", today().addDays(-1).toString("yyyy-MM-dd")},
                             {"remindMethod", ""},
                             {"remindMethodBody", ""},
                             {"remindDateNumber", 4},
                             {"comment", "月底"},
                             {"loginName", "bob"}};
    QCOMPARE(ServerProcess::add(kEntity, seeded).value("flag").toInt(), 1);
    QObject owner;
    DomainRemind *row = stored("电费", &owner);
    QVERIFY(row);
    const QJsonObject before = RemindJson::toJson(*row);

    // An administrator changes bob's reminder.
    Dialog d(5, QString(), "root");
    d.dialog.receiveRemind(*row);
    d.show();
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("更新提醒事件"));
    QCOMPARE(child<QPushButton>(&d.dialog, kConfirm)->text(), QStringLiteral("更   新"));
    QCOMPARE(child<QComboBox>(&d.dialog, "comboBox_isRemind")->currentText(), QStringLiteral("关闭"));
    QCOMPARE(child<QComboBox>(&d.dialog, "comboBox_mold")->currentText(), QStringLiteral("缴费"));
    QCOMPARE(child<QLineEdit>(&d.dialog, "lineEdit_remindDateNumber")->text(), QStringLiteral("4"));
    QCOMPARE(child<QLineEdit>(&d.dialog, "lineEdit_comment")->text(), QStringLiteral("月底"));
    QCOMPARE(child<QPlainTextEdit>(&d.dialog, "textEdit_content")->toPlainText(), QStringLiteral("交电费"));
    QCOMPARE(child<QDateEdit>(&d.dialog, "dateEdit_remindDate")->date(), today().addDays(-1));

    // The stored date has passed: saved again only with a later one.
    ModalAnswerer answerer;
    answerer.box("提示信息", "提醒日期必须大于今天", "知道了");
    click(&d.dialog, kConfirm);
    ANSWERED(answerer);
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    setDate(&d.dialog, "dateEdit_remindDate", today().addDays(9));
    fill(&d.dialog, "lineEdit_title", "水电费");
    click(&d.dialog, kConfirm);
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));

    const DomainRemind *after = stored("水电费", &owner);
    QVERIFY(after);
    QCOMPARE(after->getId(), row->getId());
    QCOMPARE(after->getLoginName(), QStringLiteral("bob"));
    QCOMPARE(after->getRegisterDate(), QStringLiteral("2020-01-01 08:00:00"));
    QVERIFY(after->getUpdateDate() > QStringLiteral("2020-01-02 08:00:00"));
    QCOMPARE(after->getRemindDate(), today().addDays(9).toString("yyyy-MM-dd"));
    QCOMPARE(after->getIsRemind(), QStringLiteral("关闭"));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 1);
    // The caller's record is the row as it was loaded.
    QCOMPARE(RemindJson::toJson(*row), before);
}

void TestRemindersDialogs::storedValuesOutsideTheFormAreKept()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    const QJsonObject seeded{{"id", 0},
                             {"isRemind", "暂停"},
                             {"mold", "纪念日"},
                             {"title", "kept"},
                             {"content", "c"},
                             {"registerDate", "2020-01-01 08:00:00"},
                             {"remindDate", today().addDays(3).toString("yyyy-MM-dd")},
                             {"remindMethod", "邮件"},
                             {"remindMethodBody", "old@mail.cn"},
                             {"remindDateNumber", 1},
                             {"loginName", "alice"}};
    QCOMPARE(ServerProcess::add(kEntity, seeded).value("flag").toInt(), 1);
    QObject owner;
    DomainRemind *row = stored("kept", &owner);
    QVERIFY(row);

    // A grade-1 user opens a reminder with a stored e-mail: no box while the
    // form is filled, and a confirm that touches nothing of it keeps it all.
    ModalAnswerer answerer; // any box would be a problem
    Dialog d(1);
    d.dialog.receiveRemind(*row);
    d.show();
    QCOMPARE(child<QComboBox>(&d.dialog, "comboBox_isRemind")->currentText(), QStringLiteral("暂停"));
    QCOMPARE(child<QComboBox>(&d.dialog, "comboBox_mold")->currentText(), QStringLiteral("纪念日"));
    QVERIFY(child<QCheckBox>(&d.dialog, "checkBox_remindMethod")->isChecked());
    QCOMPARE(child<QLineEdit>(&d.dialog, "lineEdit_remindMethodBody")->text(), QStringLiteral("old@mail.cn"));
    click(&d.dialog, kConfirm);
    ANSWERED(answerer);
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    const DomainRemind *after = stored("kept", &owner);
    QVERIFY(after);
    QCOMPARE(after->getIsRemind(), QStringLiteral("暂停"));
    QCOMPARE(after->getMold(), QStringLiteral("纪念日"));
    QCOMPARE(after->getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(after->getRemindMethodBody(), QStringLiteral("old@mail.cn"));

    // Switched off, the e-mail goes; it cannot be switched on again at grade 1.
    Dialog off(1);
    off.dialog.receiveRemind(*row);
    off.show();
    tick(&off.dialog, "checkBox_remindMethod");
    answerer.box("提示信息", "只有高级用户才可以设置邮件提醒", "知道了");
    tick(&off.dialog, "checkBox_remindMethod");
    ANSWERED(answerer);
    QVERIFY(!child<QCheckBox>(&off.dialog, "checkBox_remindMethod")->isChecked());
    click(&off.dialog, kConfirm);
    QCOMPARE(off.dialog.result(), int(QDialog::Accepted));
    const DomainRemind *cleared = stored("kept", &owner);
    QVERIFY(cleared);
    QCOMPARE(cleared->getRemindMethod(), QString());
    QCOMPARE(cleared->getRemindMethodBody(), QString());
}

void TestRemindersDialogs::emailSwitchFollowsTheGrade()
{
    const QString hint = QStringLiteral("设置邮件提醒,请点击左侧开关");

    Dialog low(1, "low@mail.cn");
    low.show();
    auto *box = child<QCheckBox>(&low.dialog, "checkBox_remindMethod");
    auto *address = child<QLineEdit>(&low.dialog, "lineEdit_remindMethodBody");
    QCOMPARE(address->placeholderText(), hint);
    QVERIFY(!address->isEnabled());
    ModalAnswerer answerer;
    answerer.box("提示信息", "只有高级用户才可以设置邮件提醒", "知道了");
    tick(&low.dialog, "checkBox_remindMethod");
    ANSWERED(answerer);
    QVERIFY(!box->isChecked());
    QVERIFY(!address->isEnabled());
    QCOMPARE(address->text(), QString());

    Dialog known(2, "me@mail.cn");
    known.show();
    tick(&known.dialog, "checkBox_remindMethod");
    auto *knownAddress = child<QLineEdit>(&known.dialog, "lineEdit_remindMethodBody");
    QVERIFY(knownAddress->isEnabled());
    QCOMPARE(knownAddress->text(), QStringLiteral("me@mail.cn"));
    tick(&known.dialog, "checkBox_remindMethod");
    QVERIFY(!knownAddress->isEnabled());
    QCOMPARE(knownAddress->text(), QString());
    QCOMPARE(knownAddress->placeholderText(), hint);

    Dialog unknown(3);
    unknown.show();
    tick(&unknown.dialog, "checkBox_remindMethod");
    auto *unknownAddress = child<QLineEdit>(&unknown.dialog, "lineEdit_remindMethodBody");
    QVERIFY(unknownAddress->isEnabled());
    QCOMPARE(unknownAddress->text(), QString());
    QCOMPARE(unknownAddress->placeholderText(), QStringLiteral("请输入邮箱"));
}

void TestRemindersDialogs::failedWriteKeepsTheDialogOpen()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    Dialog d(1);
    d.show();
    writeContent(&d.dialog, "c");
    setDate(&d.dialog, "dateEdit_remindDate", today().addDays(1));
    server.stop();
    ModalAnswerer answerer;
    answerer.box("提示信息", "没有网络连接或是数据请求错误，请优先检查是否连接网络!", "知道了");
    click(&d.dialog, kConfirm);
    ANSWERED(answerer);
    QVERIFY(d.dialog.isVisible());
    QCOMPARE(d.dialog.result(), int(QDialog::Rejected));
    QVERIFY(child<QPushButton>(&d.dialog, kConfirm)->isEnabled());
    QCOMPARE(d.dialog.windowTitle(), QStringLiteral("添加提醒事件"));

    // The server back: the same input is added by the next confirm.
    QVERIFY(server.start());
    click(&d.dialog, kConfirm);
    QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 1);

    // Cancel ends the dialog without a write.
    Dialog cancelled(1);
    cancelled.show();
    writeContent(&cancelled.dialog, "never");
    click(&cancelled.dialog, "lPushButton_cancel");
    QVERIFY(!cancelled.dialog.isVisible());
    QCOMPARE(cancelled.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 1);
}

void TestRemindersDialogs::searchFragmentsInReadOrder()
{
    RemindSearchDialog dialog;
    DomainUi window;
    window.setPageSize(30);
    dialog.receiveGrade(5);
    dialog.receiveDomainUi(window);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("提醒事件查询"));
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_pageSize")->text(), QStringLiteral("30"));
    QVERIFY(!child<QLabel>(&dialog, "label_remindDateNumber")->isVisible());
    QVERIFY(!child<QLineEdit>(&dialog, "lineEdit_remindDateNumber2")->isVisible());
    int sent = 0;
    connect(&dialog, &RemindSearchDialog::sendDomainUi, this, [&sent](DomainUi &) { ++sent; });

    // Switched on from the bottom of the form up; the condition follows the read order.
    const QStringList texts{"loginName", "comment", "remindMethodBody", "remindMethod", "address", "content", "title"};
    for (const QString &field : texts) {
        tick(&dialog, "checkBox_" + field);
        QTest::keyClicks(child<QLineEdit>(&dialog, "lineEdit_" + field), field.left(2) + "'");
    }
    tick(&dialog, "checkBox_remindDateNumber");
    auto *days = child<QComboBox>(&dialog, "comboBox_remindDateNumber");
    days->setCurrentText("介于");
    QVERIFY(child<QLabel>(&dialog, "label_remindDateNumber")->isVisible());
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_remindDateNumber2")->text(), QStringLiteral("0"));
    fill(&dialog, "lineEdit_remindDateNumber2", "7");
    for (const char *date : {"remindDate", "updateDate", "registerDate"})
        tick(&dialog, QStringLiteral("checkBox_%1").arg(date));
    child<QComboBox>(&dialog, "comboBox_remindDate")->setCurrentText("介于");
    setDate(&dialog, "dateEdit_remindDate1", QDate(2024, 1, 2));
    setDate(&dialog, "dateEdit_remindDate2", QDate(2024, 2, 3));
    child<QComboBox>(&dialog, "comboBox_updateDate")->setCurrentText("<=");
    setDate(&dialog, "dateEdit_updateDate1", QDate(2024, 5, 6));
    setDate(&dialog, "dateEdit_registerDate1", QDate(2023, 4, 5));
    tick(&dialog, "checkBox_mold");
    child<QComboBox>(&dialog, "comboBox_mold")->setCurrentText("缴费");
    tick(&dialog, "checkBox_isRemind");

    const QString expected = QStringLiteral(
        " and isRemind like '%开启%' and mold like '%缴费%' and title like '%ti''%' and content like '%co''%'"
        " and address like '%ad''%' and remindMethod like '%re''%' and remindMethodBody like '%re''%'"
        " and comment like '%co''%' and loginName like '%lo''%' and date(registerDate) > '2023-04-05'"
        " and date(updateDate) <= '2024-05-06' and date(remindDate) between '2024-01-02' and '2024-02-03' "
        " and remindDateNumber between 0 and 7 ");
    click(&dialog, "pushButton_confirm");
    QCOMPARE(sent, 1);
    QCOMPARE(dialog.getConditionStr(), expected);
    // The dialog stays open and sends its own query state: page 1, the page size shown.
    QVERIFY(dialog.isVisible());

    // Another operator hides the second value and ignores it.
    days->setCurrentText(">=");
    QVERIFY(!child<QLineEdit>(&dialog, "lineEdit_remindDateNumber2")->isVisible());
    QVERIFY(dialog.getConditionStr().endsWith(QStringLiteral(" and remindDateNumber >= 0")));
}

void TestRemindersDialogs::searchRefusalsClearAndQueryAll()
{
    RemindSearchDialog dialog;
    DomainUi window;
    window.setPageSize(12);
    dialog.receiveGrade(1);
    dialog.receiveDomainUi(window);
    dialog.show();
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_loginName")->isVisible());
    QVERIFY(!child<QLineEdit>(&dialog, "lineEdit_loginName")->isVisible());
    DomainUi received;
    QStringList conditions;
    connect(&dialog, &RemindSearchDialog::sendDomainUi, this, [&](DomainUi &ui) {
        conditions << ui.getConditionStr();
        received.setPageSize(ui.getPageSize());
        received.setCurPage(ui.getCurPage());
    });

    ModalAnswerer answerer;
    // Nothing switched on, a title switch with an empty field, an empty days field.
    answerer.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
    click(&dialog, "pushButton_confirm");
    tick(&dialog, "checkBox_title");
    answerer.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
    click(&dialog, "pushButton_confirm");
    tick(&dialog, "checkBox_remindDateNumber");
    child<QLineEdit>(&dialog, "lineEdit_remindDateNumber1")->clear();
    answerer.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
    click(&dialog, "pushButton_confirm");
    ANSWERED(answerer);
    QVERIFY(conditions.isEmpty());

    // A condition without a page size.
    fill(&dialog, "lineEdit_remindDateNumber1", "3");
    child<QLineEdit>(&dialog, "lineEdit_pageSize")->clear();
    answerer.box("提示信息", "每页显示个数不能为空", "知道了");
    click(&dialog, "pushButton_confirm");
    ANSWERED(answerer);
    QVERIFY(conditions.isEmpty());

    // "清  空" resets the rows and leaves the page size.
    fill(&dialog, "lineEdit_pageSize", "8");
    child<QComboBox>(&dialog, "comboBox_remindDateNumber")->setCurrentText("介于");
    fill(&dialog, "lineEdit_title", "t");
    child<QComboBox>(&dialog, "comboBox_mold")->setCurrentIndex(2);
    click(&dialog, "pushButton_clear");
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_title")->isChecked());
    QVERIFY(!child<QCheckBox>(&dialog, "checkBox_remindDateNumber")->isChecked());
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_title")->text(), QString());
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_remindDateNumber1")->text(), QStringLiteral("0"));
    QCOMPARE(child<QComboBox>(&dialog, "comboBox_mold")->currentIndex(), 0);
    QVERIFY(!child<QLabel>(&dialog, "label_remindDateNumber")->isVisible());
    QCOMPARE(child<QLineEdit>(&dialog, "lineEdit_pageSize")->text(), QStringLiteral("8"));
    tick(&dialog, "checkBox_remindDateNumber");
    click(&dialog, "pushButton_confirm");
    QCOMPARE(conditions, QStringList{" and remindDateNumber > 0"});
    QCOMPARE(received.getPageSize(), 8);
    QCOMPARE(received.getCurPage(), 1);

    // "查询全部" sends " and 1=1 " whatever is switched on, and closes.
    click(&dialog, "pushButton_findAll");
    QCOMPARE(conditions.last(), QStringLiteral(" and 1=1 "));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestRemindersDialogs)
#include "tst_reminders_dialogs.moc"
