// Adding and changing system messages through the message window against the
// real server with its demo data, and the log-in's announcement and version
// checks picking up what was added.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>

#include <functional>

#include "domainuser.h"
#include "logindialog.h"
#include "messagewindow.h"
#include "formchild.h"
#include "guidriver.h"
#include "modalanswerer.h"
#include "serverprocess.h"

class TestMessagesWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void eachKindIsAddedAndTheLogInPicksUpReminderAndVersion();
    void untouchedChangeKeepsEveryStoredValue();
    void formChecksAndCancel();
    void deletingTheLastRowOfTheLastPageStepsBack();

private:
    using Fill = std::function<void(QWidget *dialog)>;
    // Presses "添加信息" and fills the dialog with `fill`, then "添   加".
    static void add(MessageWindow &window, const Fill &fill);
    // Right-clicks the row whose message is `text`, picks "修改此行" and runs `fill` on the dialog.
    static void change(MessageWindow &window, const QString &text, const Fill &fill);
    static int rowOf(MessageWindow &window, const QString &text);
    static QJsonObject stored(const QString &text);
    static void pick(QWidget *dialog, const char *combo, const QString &item);
    static void confirm(QWidget *dialog)
    {
        QTest::mouseClick(formChild<QPushButton>(dialog, "confiremPushButton"), Qt::LeftButton);
    }

    ServerProcess server{true};
};

void TestMessagesWrite::pick(QWidget *dialog, const char *combo, const QString &item)
{
    auto *box = formChild<QComboBox>(dialog, combo);
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    box->setCurrentIndex(index);
}

int TestMessagesWrite::rowOf(MessageWindow &window, const QString &text)
{
    auto *table = formChild<QTableWidget>(&window, "tableWidget");
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 10)->text() == text)
            return row;
    }
    return -1;
}

QJsonObject TestMessagesWrite::stored(const QString &text)
{
    const QJsonArray rows = ServerProcess::rows("message", QStringLiteral(" and message = '%1'").arg(text));
    return rows.size() == 1 ? rows.at(0).toObject() : QJsonObject();
}

void TestMessagesWrite::add(MessageWindow &window, const Fill &fill)
{
    ModalAnswerer answerer;
    answerer.dialog("MessageAddUpdateDialog", [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("添加信息"));
        QCOMPARE(formChild<QPushButton>(dialog, "confiremPushButton")->text(), QStringLiteral("添   加"));
        fill(dialog);
        confirm(dialog);
    });
    QAction *addAction = window.findChild<QAction *>("addAction");
    QTest::mouseClick(formChild<QToolBar>(&window, "toolBar")->widgetForAction(addAction), Qt::LeftButton);
    ANSWERED(answerer);
}

void TestMessagesWrite::change(MessageWindow &window, const QString &text, const Fill &fill)
{
    auto *table = formChild<QTableWidget>(&window, "tableWidget");
    const int row = rowOf(window, text);
    QVERIFY2(row >= 0, qPrintable(text));
    const QPoint pos = table->visualRect(table->model()->index(row, 3)).center();
    QCOMPARE(GuiDriver::menuEntries(table, pos), QStringList({"修改此行", "删除此行"}));
    ModalAnswerer answerer;
    answerer.dialog("MessageAddUpdateDialog", [&](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("更新窗口"));
        QCOMPARE(formChild<QPushButton>(dialog, "confiremPushButton")->text(), QStringLiteral("更   新"));
        QCOMPARE(formChild<QPushButton>(dialog, "confiremPushButton")->shortcut(), QKeySequence(QStringLiteral("Return")));
        fill(dialog);
    });
    QVERIFY(GuiDriver::pickFromMenu(table, pos, QStringLiteral("修改此行")));
    ANSWERED(answerer);
}

void TestMessagesWrite::eachKindIsAddedAndTheLogInPicksUpReminderAndVersion()
{
    MessageWindow window;
    window.show();
    const int before = formChild<QTableWidget>(&window, "tableWidget")->rowCount();
    QCOMPARE(before, 7); // the demo messages

    const QStringList kinds{"about", "instructions", "reminder", "versions", "privacy"};
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    for (const QString &kind : kinds) {
        add(window, [&](QWidget *dialog) {
            pick(dialog, "comboBox_mold", kind);
            GuiDriver::type(formChild<QPlainTextEdit>(dialog, "textEdit_message"), QStringLiteral("新的%1消息").arg(kind));
            if (kind == QLatin1String("versions"))
                QTest::keyClicks(formChild<QLineEdit>(dialog, "lineEdit_flag"), "2.5");
            if (kind == QLatin1String("reminder")) {
                // Shown from the time the dialog was opened.
                auto *showDate = formChild<QDateTimeEdit>(dialog, "dateEdit_showDate");
                QVERIFY(!showDate->isEnabled());
                formChild<QCheckBox>(dialog, "checkBox")->click();
                QVERIFY(showDate->isEnabled());
            }
            if (kind == QLatin1String("about")) {
                pick(dialog, "comboBox_grade", "3");
                pick(dialog, "comboBox_appOS", "webDesk");
                GuiDriver::type(formChild<QLineEdit>(dialog, "lineEdit_comment"), QStringLiteral("网页说明"));
            }
        });
        // The window reloaded behind the accepted dialog.
        QVERIFY2(rowOf(window, QStringLiteral("新的%1消息").arg(kind)) >= 0, qPrintable(kind));
    }
    QCOMPARE(formChild<QTableWidget>(&window, "tableWidget")->rowCount(), before + kinds.size());

    const QJsonObject version = stored(QStringLiteral("新的versions消息"));
    QCOMPARE(version.value("flag").toDouble(), 2.5);
    QCOMPARE(version.value("appOS").toString(), QStringLiteral("windows"));
    QCOMPARE(version.value("showSwitchStr").toString(), QStringLiteral("展示"));
    QCOMPARE(version.value("grade").toInt(), 1);
    QCOMPARE(version.value("showDate").toString(), QString());
    const QDateTime added = QDateTime::fromString(version.value("addDate").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(added >= start && added <= QDateTime::currentDateTime());
    const QJsonObject reminder = stored(QStringLiteral("新的reminder消息"));
    const QDateTime shownFrom = QDateTime::fromString(reminder.value("showDate").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY2(shownFrom >= start && shownFrom <= QDateTime::currentDateTime(), qPrintable(reminder.value("showDate").toString()));
    QCOMPARE(reminder.value("showEndDate").toString(), QString());
    QCOMPARE(reminder.value("flag").toDouble(), 0.0);
    const QJsonObject about = stored(QStringLiteral("新的about消息"));
    QCOMPARE(about.value("grade").toInt(), 3);
    QCOMPARE(about.value("appOS").toString(), QStringLiteral("webDesk"));
    QCOMPARE(about.value("comment").toString(), QStringLiteral("网页说明"));
    QVERIFY(!stored(QStringLiteral("新的privacy消息")).isEmpty());

    // A user logging in sees the new reminder beside the demo one, then the newer version.
    LoginDialog login;
    login.show();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("新的reminder消息"), QStringLiteral("知道了"));
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("新的versions消息"), QStringLiteral("知道了"));
    DomainUser *user = nullptr;
    connect(&login, &LoginDialog::sendUser, this, [&](DomainUser &u) { user = &u; });
    QTest::keyClicks(formChild<QLineEdit>(&login, "userLineEdit"), "demo");
    QTest::keyClicks(formChild<QLineEdit>(&login, "pwdLineEdit"), "demo123");
    QTest::mouseClick(formChild<QPushButton>(&login, "loginPushButton"), Qt::LeftButton);
    ANSWERED(answerer);
    QVERIFY(user);
    QCOMPARE(login.result(), int(QDialog::Accepted));
    const QString seen = answerer.seen().join('\n');
    QVERIFY2(seen.contains(QStringLiteral("欢迎使用演示数据，祝使用愉快！")), qPrintable(seen));
    QVERIFY2(!seen.contains(QStringLiteral("新的about消息")), qPrintable(seen));
    QVERIFY2(!seen.contains(QStringLiteral("当前已是最新版本")), qPrintable(seen));
}

void TestMessagesWrite::untouchedChangeKeepsEveryStoredValue()
{
    MessageWindow window;
    window.show();
    // A version entry with its show period.
    const QJsonObject version{{"appOS", "windows"}, {"showSwitchStr", "展示"}, {"mold", "versions"}, {"flag", 2.5},
                              {"grade", 2}, {"addDate", "2024-03-04 05:06:07"}, {"showDate", "2024-04-01 08:00:00"},
                              {"showEndDate", "2030-12-31 23:59:59"}, {"message", "版本二点五"}, {"comment", "改"}};
    // Values the form does not list, a flag of many digits and a date the edit cannot read.
    const QJsonObject odd{{"appOS", "harmony"}, {"showSwitchStr", "隐藏"}, {"mold", "notice"}, {"flag", 1234567.125},
                          {"grade", 7}, {"addDate", "2023-01-01 00:00:00"}, {"showDate", "明天上午"},
                          {"showEndDate", "2030-01-01 08:00:00"}, {"message", "不在列表里的值"}, {"comment", ""}};
    for (const QJsonObject &record : {version, odd})
        QCOMPARE(ServerProcess::add("message", record).value("flag").toInt(), 1);
    QString all;
    window.receiveConditionStr(all);
    QVERIFY(rowOf(window, "版本二点五") >= 0);
    QCOMPARE(formChild<QTableWidget>(&window, "tableWidget")->item(rowOf(window, "不在列表里的值"), 4)->text(),
             QStringLiteral("1.23457e+06"));

    const QJsonObject versionBefore = stored("版本二点五");
    change(window, "版本二点五", [](QWidget *dialog) {
        QCOMPARE(formChild<QLineEdit>(dialog, "lineEdit_flag")->text(), QStringLiteral("2.5"));
        QVERIFY(formChild<QCheckBox>(dialog, "checkBox")->isChecked());
        QVERIFY(formChild<QDateTimeEdit>(dialog, "dateEdit_showDate")->isEnabled());
        QCOMPARE(formChild<QDateTimeEdit>(dialog, "dateEdit_showDate")->text(), QStringLiteral("2024-04-01 08:00:00"));
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_grade")->currentText(), QStringLiteral("2"));
        confirm(dialog);
    });
    QCOMPARE(stored("版本二点五"), versionBefore);

    const QJsonObject oddBefore = stored("不在列表里的值");
    change(window, "不在列表里的值", [](QWidget *dialog) {
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_appOS")->currentText(), QStringLiteral("harmony"));
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_showSwitchStr")->currentText(), QStringLiteral("隐藏"));
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_mold")->currentText(), QStringLiteral("notice"));
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_grade")->currentText(), QStringLiteral("7"));
        QCOMPARE(formChild<QComboBox>(dialog, "comboBox_grade")->itemText(4), QStringLiteral("5"));
        QCOMPARE(formChild<QLineEdit>(dialog, "lineEdit_flag")->text(), QStringLiteral("1234567.125"));
        QVERIFY(formChild<QCheckBox>(dialog, "checkBox")->isChecked());
        confirm(dialog);
    });
    QCOMPARE(stored("不在列表里的值"), oddBefore);

    // Switched off and on again, the unreadable date gives way to the edit's time; the listed
    // values can still be chosen.
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    change(window, "不在列表里的值", [](QWidget *dialog) {
        formChild<QCheckBox>(dialog, "checkBox")->click();
        formChild<QCheckBox>(dialog, "checkBox")->click();
        pick(dialog, "comboBox_grade", "4");
        formChild<QLineEdit>(dialog, "lineEdit_flag")->clear();
        confirm(dialog);
    });
    const QJsonObject after = stored("不在列表里的值");
    const QDateTime shownFrom = QDateTime::fromString(after.value("showDate").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY2(shownFrom >= start && shownFrom <= QDateTime::currentDateTime(), qPrintable(after.value("showDate").toString()));
    QCOMPARE(after.value("showEndDate").toString(), QStringLiteral("2030-01-01 08:00:00"));
    QCOMPARE(after.value("grade").toInt(), 4);
    QCOMPARE(after.value("flag").toDouble(), 0.0);
    QCOMPARE(after.value("addDate").toString(), QStringLiteral("2023-01-01 00:00:00"));
    QCOMPARE(after.value("id"), oddBefore.value("id"));
}

void TestMessagesWrite::formChecksAndCancel()
{
    MessageWindow window;
    window.show();
    const int rows = ServerProcess::rows("message").size();
    QDialog::DialogCode result = QDialog::Accepted;
    {
        ModalAnswerer answerer;
        answerer.drive("MessageAddUpdateDialog", [&](QWidget *dialog) {
            QVERIFY(dialog->windowFlags() & Qt::WindowMinMaxButtonsHint);
            // Labels and date edits show their texts whole.
            QList<QWidget *> texts;
            for (QLabel *label : dialog->findChildren<QLabel *>())
                texts << label;
            for (QDateTimeEdit *edit : dialog->findChildren<QDateTimeEdit *>())
                texts << edit;
            for (QWidget *w : texts)
                QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
            QCOMPARE(formChild<QComboBox>(dialog, "comboBox_mold")->count(), 5);
            // A sign, a letter or a second point cannot be typed into the flag.
            QLineEdit *flag = formChild<QLineEdit>(dialog, "lineEdit_flag");
            QTest::keyClicks(flag, "-1.2.5e3");
            QCOMPARE(flag->text(), QStringLiteral("1.253"));
            // No message: the box, and nothing is sent.
            answerer.box(QStringLiteral("提示信息"), QStringLiteral("发布的信息不能为空"), QStringLiteral("知道了"));
            confirm(dialog);
            QVERIFY(dialog->isVisible());
            QTest::mouseClick(formChild<QPushButton>(dialog, "cancelPushButton"), Qt::LeftButton);
            QVERIFY(!dialog->isVisible());
            result = QDialog::DialogCode(qobject_cast<QDialog *>(dialog)->result());
        });
        QAction *addAction = window.findChild<QAction *>("addAction");
        QTest::mouseClick(formChild<QToolBar>(&window, "toolBar")->widgetForAction(addAction), Qt::LeftButton);
        ANSWERED(answerer);
    }
    QCOMPARE(result, QDialog::Rejected);
    QCOMPARE(ServerProcess::rows("message").size(), rows);

    // Blanks only are a message.
    add(window, [](QWidget *dialog) { QTest::keyClicks(formChild<QPlainTextEdit>(dialog, "textEdit_message"), "   "); });
    QCOMPARE(ServerProcess::rows("message").size(), rows + 1);
}

void TestMessagesWrite::deletingTheLastRowOfTheLastPageStepsBack()
{
    for (int i = 0; i < 31; ++i) {
        const QJsonObject message{{"appOS", "android"}, {"showSwitchStr", "展示"}, {"mold", "about"}, {"flag", 0},
                                  {"grade", 1}, {"addDate", QStringLiteral("2024-01-01 00:00:%1").arg(i, 2, 10, QLatin1Char('0'))},
                                  {"showDate", ""}, {"showEndDate", ""}, {"message", QStringLiteral("翻页%1").arg(i)},
                                  {"comment", "翻页"}};
        QCOMPARE(ServerProcess::add("message", message).value("flag").toInt(), 1);
    }
    MessageWindow window;
    window.show();
    QString paged = QStringLiteral(" and comment = '翻页'");
    window.receiveConditionStr(paged);
    auto *table = formChild<QTableWidget>(&window, "tableWidget");
    QCOMPARE(table->rowCount(), 30);
    QTest::mouseClick(formChild<QPushButton>(&window, "pushButton_nextPage"), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(formChild<QLabel>(&window, "label_pageMessage")->text(), QStringLiteral("第2页/共2页 |  共31个账户"));

    const QPoint pos = table->visualRect(table->model()->index(0, 0)).center();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(table, pos, QStringLiteral("删除此行")));
    ANSWERED(answerer);

    // The emptied last page gave way to the one before it.
    QTRY_COMPARE(table->rowCount(), 30);
    QCOMPARE(ServerProcess::rows("message", paged).size(), 30);
    QVERIFY(!formChild<QLabel>(&window, "label_pageMessage")->isVisible());
    QCOMPARE(window.statusBar()->findChild<QLabel *>()->text(),
             QStringLiteral("当前信息总数量为 30 条，已全部显示在页面中；    "));
}

QTEST_MAIN(TestMessagesWrite)
#include "tst_messages_write.moc"
