// The system message search against the real server: opened from the window's
// "查询信息", each criterion narrows the window behind the open dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>

#include <functional>

#include "messagesearchdialog.h"
#include "messagewindow.h"
#include "formchild.h"
#include "modalanswerer.h"
#include "serverprocess.h"

class TestMessagesSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachCriterionNarrowsTheWindow();
    void refusalsAndFindAll();
    void clearKeepsTheDatesAndSetsTheSecondGrade();

private:
    using Body = std::function<void(MessageSearchDialog *, ModalAnswerer &)>;
    // Presses "查询信息" on the window and runs `body` on the dialog once it is open.
    static void search(MessageWindow &window, const Body &body);
    // The first character of the message of every row shown, sorted.
    static QString shown(MessageWindow &window);
    static void confirm(QWidget *dialog) { QTest::mouseClick(formChild<QPushButton>(dialog, "pushButton_confirm"), Qt::LeftButton); }

    ServerProcess server;
};

void TestMessagesSearch::initTestCase()
{
    QVERIFY(server.start());
    const QList<QJsonObject> messages{
        {{"appOS", "windows"}, {"showSwitchStr", "展示"}, {"mold", "reminder"}, {"flag", 0}, {"grade", 1},
         {"addDate", "2024-01-10 08:00:00"}, {"showDate", "2024-02-01 00:00:00"}, {"showEndDate", "2024-03-01 00:00:00"},
         {"message", "甲 系统维护"}, {"comment", "例行"}},
        {{"appOS", "android"}, {"showSwitchStr", "不展示"}, {"mold", "versions"}, {"flag", 2.5}, {"grade", 3},
         {"addDate", "2024-05-20 09:30:00"}, {"showDate", ""}, {"showEndDate", ""},
         {"message", "乙 新版本 O'Neil"}, {"comment", ""}},
        {{"appOS", "webDesk"}, {"showSwitchStr", "展示"}, {"mold", "about"}, {"flag", 10}, {"grade", 5},
         {"addDate", "2024-08-01 12:00:00"}, {"showDate", "2024-08-02 00:00:00"}, {"showEndDate", "2024-12-31 23:59:59"},
         {"message", "丙 关于"}, {"comment", "说明"}},
    };
    for (const QJsonObject &message : messages)
        QCOMPARE(ServerProcess::add("message", message).value("flag").toInt(), 1);
}

void TestMessagesSearch::search(MessageWindow &window, const Body &body)
{
    ModalAnswerer answerer;
    answerer.drive("MessageSearchDialog", [&](QWidget *w) { body(qobject_cast<MessageSearchDialog *>(w), answerer); });
    auto *toolBar = formChild<QToolBar>(&window, "toolBar");
    QTest::mouseClick(toolBar->widgetForAction(window.findChild<QAction *>("searchAction")), Qt::LeftButton);
    ANSWERED(answerer);
}

QString TestMessagesSearch::shown(MessageWindow &window)
{
    auto *table = formChild<QTableWidget>(&window, "tableWidget");
    QString firsts;
    for (int row = 0; row < table->rowCount(); ++row)
        firsts += table->item(row, 10)->text().left(1);
    std::sort(firsts.begin(), firsts.end());
    return firsts;
}

void TestMessagesSearch::eachCriterionNarrowsTheWindow()
{
    MessageWindow window;
    window.show();
    QCOMPARE(shown(window), QStringLiteral("丙乙甲"));

    struct Criterion {
        const char *name;
        std::function<void(QWidget *)> set; // switches on and fills the row
        QString expected;
    };
    const auto text = [](const char *box, const char *edit, const QString &typed) {
        return [=](QWidget *d) {
            formChild<QCheckBox>(d, box)->click();
            QLineEdit *field = formChild<QLineEdit>(d, edit);
            field->clear();
            QTest::keyClicks(field, typed);
        };
    };
    const auto pick = [](QWidget *d, const char *combo, const QString &item) {
        auto *c = formChild<QComboBox>(d, combo);
        c->setCurrentIndex(c->findText(item));
    };
    const auto date = [](QWidget *d, const char *edit, const QDate &day) { formChild<QDateEdit>(d, edit)->setDate(day); };

    const QList<Criterion> criteria{
        {"appOS", text("checkBox_appOS", "lineEdit_appOS", "andr"), QStringLiteral("乙")},
        {"showSwitchStr", [](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_showSwitchStr")->click();
             formChild<QLineEdit>(d, "lineEdit_showSwitchStr")->setText(QStringLiteral("不"));
         }, QStringLiteral("乙")},
        {"mold", text("checkBox_mold", "lineEdit_mold", "rem"), QStringLiteral("甲")},
        {"message with a quote", text("checkBox_message", "lineEdit_message", "O'Neil"), QStringLiteral("乙")},
        {"comment", [](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_comment")->click();
             formChild<QLineEdit>(d, "lineEdit_comment")->setText(QStringLiteral("说明"));
         }, QStringLiteral("丙")},
        {"grade >= 3", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_grade")->click();
             pick(d, "comboBox_grade1", ">=");
             pick(d, "comboBox_grade2", "3");
         }, QStringLiteral("丙乙")},
        {"grade 介于 1 and 3", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_grade")->click();
             pick(d, "comboBox_grade1", QStringLiteral("介于"));
             QVERIFY(formChild<QComboBox>(d, "comboBox_grade3")->isVisible());
             pick(d, "comboBox_grade2", "1");
             pick(d, "comboBox_grade3", "3");
         }, QStringLiteral("乙甲")},
        {"flag > 2", [&](QWidget *d) {
             text("checkBox_flag", "lineEdit_flag1", "2")(d);
         }, QStringLiteral("丙乙")},
        {"flag = 0", [&](QWidget *d) {
             text("checkBox_flag", "lineEdit_flag1", "0")(d);
             pick(d, "comboBox_flag1", "=");
         }, QStringLiteral("甲")},
        {"flag 介于 2.5 and 10", [&](QWidget *d) {
             text("checkBox_flag", "lineEdit_flag1", "2.5")(d);
             pick(d, "comboBox_flag1", QStringLiteral("介于"));
             QLineEdit *second = formChild<QLineEdit>(d, "lineEdit_flag2");
             QVERIFY(second->isVisible());
             QTest::keyClicks(second, "10");
         }, QStringLiteral("丙乙")},
        {"addDate <", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_addDate")->click();
             pick(d, "comboBox_addDate", "<");
             date(d, "dateEdit_addDate1", QDate(2024, 5, 1));
         }, QStringLiteral("甲")},
        {"addDate 介于", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_addDate")->click();
             pick(d, "comboBox_addDate", QStringLiteral("介于"));
             date(d, "dateEdit_addDate1", QDate(2024, 5, 20));
             date(d, "dateEdit_addDate2", QDate(2024, 8, 1));
         }, QStringLiteral("丙乙")},
        {"showDate =", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_showDate")->click();
             pick(d, "comboBox_showDate", "=");
             date(d, "dateEdit_showDate1", QDate(2024, 8, 2));
         }, QStringLiteral("丙")},
        {"showEndDate >", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_showEndDate")->click();
             date(d, "dateEdit_showEndDate1", QDate(2024, 6, 1));
         }, QStringLiteral("丙")},
    };

    // One dialog for every search, as a person refines a search: clear, set one row, confirm.
    search(window, [&](MessageSearchDialog *dialog, ModalAnswerer &) {
        for (const Criterion &c : criteria) {
            QTest::mouseClick(formChild<QPushButton>(dialog, "pushButton_clear"), Qt::LeftButton);
            c.set(dialog);
            confirm(dialog);
            QVERIFY2(shown(window) == c.expected,
                     qPrintable(QStringLiteral("%1: %2 shown, %3 expected (%4)")
                                    .arg(QLatin1String(c.name), shown(window), c.expected, dialog->getConditionStr())));
        }
        // Two criteria together narrow further; their order on the wire is the dialog's, not the ticking's.
        QTest::mouseClick(formChild<QPushButton>(dialog, "pushButton_clear"), Qt::LeftButton);
        text("checkBox_flag", "lineEdit_flag1", "2")(dialog);
        text("checkBox_appOS", "lineEdit_appOS", "web")(dialog);
        confirm(dialog);
        QCOMPARE(shown(window), QStringLiteral("丙"));
        QCOMPARE(dialog->getConditionStr(), QStringLiteral(" and appOS like '%web%' and flag > 2 "));
        QVERIFY(dialog->isVisible());
    });
}

void TestMessagesSearch::refusalsAndFindAll()
{
    MessageWindow window;
    QString narrow = QStringLiteral(" and mold = 'about'");
    window.receiveConditionStr(narrow);
    QCOMPARE(shown(window), QStringLiteral("丙"));
    search(window, [&](MessageSearchDialog *dialog, ModalAnswerer &answerer) {
        // A text switch with an empty field, then a flag switch without a number: nothing is sent.
        formChild<QCheckBox>(dialog, "checkBox_appOS")->click();
        answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        confirm(dialog);
        formChild<QCheckBox>(dialog, "checkBox_flag")->click();
        answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        confirm(dialog);
        QCOMPARE(shown(window), QStringLiteral("丙"));
        // The flag field takes digits with one point only.
        QLineEdit *flag = formChild<QLineEdit>(dialog, "lineEdit_flag1");
        QTest::keyClicks(flag, "-1.2.5e3");
        QCOMPARE(flag->text(), QStringLiteral("1.253"));

        // "查 询 全 部" lists every message, whatever is switched on, and closes.
        QTest::mouseClick(formChild<QPushButton>(dialog, "pushButton_findAll"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(shown(window), QStringLiteral("丙乙甲"));

    // "取  消" hands nothing over.
    window.receiveConditionStr(narrow);
    search(window, [&](MessageSearchDialog *dialog, ModalAnswerer &) {
        formChild<QCheckBox>(dialog, "checkBox_grade")->click();
        QTest::mouseClick(formChild<QPushButton>(dialog, "pushButton_cancel"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(shown(window), QStringLiteral("丙"));
}

void TestMessagesSearch::clearKeepsTheDatesAndSetsTheSecondGrade()
{
    MessageSearchDialog dialog;
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("信息综合查找"));
    auto *grade1 = formChild<QComboBox>(&dialog, "comboBox_grade1");
    auto *grade3 = formChild<QComboBox>(&dialog, "comboBox_grade3");
    auto *addDate = formChild<QComboBox>(&dialog, "comboBox_addDate");
    auto *date1 = formChild<QDateEdit>(&dialog, "dateEdit_addDate1");
    QCOMPARE(date1->date(), QDate::currentDate());
    QVERIFY(!grade3->isVisible());
    grade1->setCurrentText(QStringLiteral("介于"));
    QVERIFY(grade3->isVisible());
    QCOMPARE(grade3->currentText(), QStringLiteral("1"));
    addDate->setCurrentText(QStringLiteral("介于"));
    QVERIFY(formChild<QDateEdit>(&dialog, "dateEdit_addDate2")->isVisible());
    date1->setDate(QDate(2020, 2, 2));
    formChild<QCheckBox>(&dialog, "checkBox_addDate")->click();

    QTest::mouseClick(formChild<QPushButton>(&dialog, "pushButton_clear"), Qt::LeftButton);
    QCOMPARE(grade1->currentText(), QStringLiteral(">"));
    QVERIFY(!grade3->isVisible());
    QCOMPARE(grade3->currentText(), QStringLiteral("2"));
    QVERIFY(!formChild<QDateEdit>(&dialog, "dateEdit_addDate2")->isVisible());
    QVERIFY(!formChild<QCheckBox>(&dialog, "checkBox_addDate")->isChecked());
    QCOMPARE(date1->date(), QDate(2020, 2, 2));
    // The date row switched on again uses the date last chosen.
    formChild<QCheckBox>(&dialog, "checkBox_addDate")->click();
    QCOMPARE(dialog.getConditionStr(), QStringLiteral(" and date(addDate) > '2020-02-02'"));
    formChild<QCheckBox>(&dialog, "checkBox_addDate")->click();
    formChild<QCheckBox>(&dialog, "checkBox_grade")->click();
    QCOMPARE(dialog.getConditionStr(), QStringLiteral(" and grade > 1 "));
}

QTEST_MAIN(TestMessagesSearch)
#include "tst_messages_search.moc"
