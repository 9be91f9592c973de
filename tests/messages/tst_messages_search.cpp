// The system message search against the real server: opened from the window's
// "查询信息", each criterion narrows the window behind the open dialog. Against
// a scripted server: the exact condition strings that the dialog hands to the
// window and that the window sends.
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
#include "httpstub.h"
#include "modalanswerer.h"
#include "scriptedserver.h"
#include "serverprocess.h"

namespace {

// Sets rows of the dialog as a person does.
using Set = std::function<void(QWidget *)>;

// A row's switch clicked on.
Set on(const char *box)
{
    return [=](QWidget *d) { formChild<QCheckBox>(d, box)->click(); };
}

// A text row switched on and its text typed.
Set typed(const char *box, const char *edit, const QString &text)
{
    return [=](QWidget *d) {
        on(box)(d);
        QLineEdit *field = formChild<QLineEdit>(d, edit);
        field->clear();
        QTest::keyClicks(field, text);
    };
}

// An item chosen in a combo.
Set picked(const char *combo, const QString &item)
{
    return [=](QWidget *d) {
        auto *c = formChild<QComboBox>(d, combo);
        c->setCurrentIndex(c->findText(item));
    };
}

// A date row switched on, its operator chosen and its dates set.
Set dated(const char *key, const QString &op, const QDate &first, const QDate &second = QDate())
{
    return [=](QWidget *d) {
        const QByteArray name(key);
        on(("checkBox_" + name).constData())(d);
        picked(("comboBox_" + name).constData(), op)(d);
        formChild<QDateEdit>(d, ("dateEdit_" + name + "1").constData())->setDate(first);
        if (second.isValid())
            formChild<QDateEdit>(d, ("dateEdit_" + name + "2").constData())->setDate(second);
    };
}

Set all(const QList<Set> &sets)
{
    return [=](QWidget *d) {
        for (const Set &set : sets)
            set(d);
    };
}

} // namespace

Q_DECLARE_METATYPE(Set)

class TestMessagesSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachCriterionNarrowsTheWindow();
    void refusalsAndFindAll();
    void clearKeepsTheDatesAndSetsTheSecondGrade();
    void conditionStringsHandedOverAndSent_data();
    void conditionStringsHandedOverAndSent();
    void typedQuotesAreDoubled();
    void flagWithoutANumberRefusesTheSearch();

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
        // A text switch with an empty field: nothing is sent.
        formChild<QCheckBox>(dialog, "checkBox_appOS")->click();
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

void TestMessagesSearch::conditionStringsHandedOverAndSent_data()
{
    QTest::addColumn<Set>("set");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("handed"); // empty from confirm: refused with the box, nothing handed over
    const auto row = [](const char *name, const Set &set, const QString &handed,
                        const QString &button = QStringLiteral("pushButton_confirm")) {
        QTest::newRow(name) << set << button << handed;
    };
    const QDate may(2024, 5, 1), aug(2024, 8, 2);
    row("appOS", typed("checkBox_appOS", "lineEdit_appOS", "windows"), " and appOS like '%windows%'");
    row("showSwitchStr", typed("checkBox_showSwitchStr", "lineEdit_showSwitchStr", "show"),
        " and showSwitchStr like '%show%'");
    row("mold", typed("checkBox_mold", "lineEdit_mold", "about"), " and mold like '%about%'");
    row("message", typed("checkBox_message", "lineEdit_message", "new version"), " and message like '%new version%'");
    row("comment", typed("checkBox_comment", "lineEdit_comment", "x"), " and comment like '%x%'");
    row("grade as it starts", on("checkBox_grade"), " and grade > 1 ");
    row("grade =", all({on("checkBox_grade"), picked("comboBox_grade1", "="), picked("comboBox_grade2", "3")}),
        " and grade = 3 ");
    row("grade 介于", all({on("checkBox_grade"), picked("comboBox_grade1", "介于"), picked("comboBox_grade2", "2"),
                         picked("comboBox_grade3", "4")}),
        " and grade between 2 and 4 ");
    row("flag", all({typed("checkBox_flag", "lineEdit_flag1", "2.5"), picked("comboBox_flag1", "<=")}),
        " and flag <= 2.5 ");
    row("flag 介于", all({typed("checkBox_flag", "lineEdit_flag1", "1"), picked("comboBox_flag1", "介于"),
                        [](QWidget *d) { QTest::keyClicks(formChild<QLineEdit>(d, "lineEdit_flag2"), "10.5"); }}),
        " and flag between 1 and 10.5 ");
    row("addDate", dated("addDate", ">=", may), " and date(addDate) >= '2024-05-01'");
    row("addDate 介于", dated("addDate", "介于", may, aug), " and date(addDate) between '2024-05-01' and '2024-08-02' ");
    row("showDate", dated("showDate", "<", aug), " and date(showDate) < '2024-08-02'");
    row("showDate 介于 then =", all({dated("showDate", "介于", may, aug), picked("comboBox_showDate", "=")}),
        " and date(showDate) = '2024-05-01'");
    row("showEndDate", dated("showEndDate", "!=", may), " and date(showEndDate) != '2024-05-01'");
    row("showEndDate 介于 reversed", dated("showEndDate", "介于", aug, may),
        " and date(showEndDate) between '2024-08-02' and '2024-05-01' ");
    row("text rows left empty", all({on("checkBox_appOS"), on("checkBox_message")}), QString());
    row("every row switched on from the bottom up",
        all({dated("showEndDate", "!=", may), dated("showDate", "介于", may, aug), dated("addDate", ">=", may),
             typed("checkBox_flag", "lineEdit_flag1", "2.5"), picked("comboBox_flag1", "<="), on("checkBox_grade"),
             picked("comboBox_grade1", "介于"), picked("comboBox_grade3", "4"),
             typed("checkBox_comment", "lineEdit_comment", "x"), typed("checkBox_message", "lineEdit_message", "m"),
             typed("checkBox_mold", "lineEdit_mold", "about"),
             typed("checkBox_showSwitchStr", "lineEdit_showSwitchStr", "s"),
             typed("checkBox_appOS", "lineEdit_appOS", "windows")}),
        QStringLiteral(" and appOS like '%windows%'"
                       " and showSwitchStr like '%s%'"
                       " and mold like '%about%'"
                       " and message like '%m%'"
                       " and comment like '%x%'"
                       " and grade between 1 and 4 "
                       " and flag <= 2.5 "
                       " and date(addDate) >= '2024-05-01'"
                       " and date(showDate) between '2024-05-01' and '2024-08-02' "
                       " and date(showEndDate) != '2024-05-01'"));
    row("查 询 全 部", on("checkBox_grade"), QStringLiteral(""), QStringLiteral("pushButton_findAll"));
}

void TestMessagesSearch::conditionStringsHandedOverAndSent()
{
    QFETCH(Set, set);
    QFETCH(QString, button);
    QFETCH(QString, handed);
    const bool refused = handed.isEmpty() && button == QLatin1String("pushButton_confirm");
    ScriptedServer scripted(server);
    QVERIFY(scripted.stub.listen(8091));
    MessageWindow window;

    QStringList carried;
    search(window, [&](MessageSearchDialog *dialog, ModalAnswerer &answerer) {
        connect(dialog, &MessageSearchDialog::sendConditionStr, dialog,
                [&](QString &condition) { carried << condition; });
        set(dialog);
        if (refused)
            answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        QTest::mouseClick(formChild<QPushButton>(dialog, button.toLatin1().constData()), Qt::LeftButton);
        if (button == QLatin1String("pushButton_confirm"))
            QCOMPARE(dialog->getConditionStr(), handed);
    });
    if (QTest::currentTestFailed())
        return;
    if (refused) {
        QVERIFY(carried.isEmpty());
        QVERIFY(scripted.stub.requests.isEmpty());
        return;
    }
    QCOMPARE(carried, QStringList{handed});
    // The window sends the condition as handed over (the empty one too) and loads page 1.
    QCOMPARE(scripted.stub.requests.size(), 1);
    QCOMPARE(scripted.stub.requests[0].path, QByteArray("/android/message/findByCondition"));
    const QJsonObject sent = scripted.stub.requests[0].json();
    QVERIFY(sent.value("conditionStr").isString());
    QCOMPARE(sent.value("conditionStr").toString(), handed);
    QCOMPARE(sent.value("curPage").toInt(), 1);
}

void TestMessagesSearch::typedQuotesAreDoubled()
{
    ScriptedServer scripted(server);
    QVERIFY(scripted.stub.listen(8091));
    MessageWindow window;
    QStringList carried;
    search(window, [&](MessageSearchDialog *dialog, ModalAnswerer &) {
        connect(dialog, &MessageSearchDialog::sendConditionStr, dialog,
                [&](QString &condition) { carried << condition; });
        typed("checkBox_message", "lineEdit_message", "O'Neil")(dialog);
        typed("checkBox_comment", "lineEdit_comment", "''")(dialog);
        confirm(dialog);
    });
    const QString doubled = QStringLiteral(" and message like '%O''Neil%' and comment like '%''''%'");
    QCOMPARE(carried, QStringList{doubled});
    QCOMPARE(scripted.stub.requests.last().json().value("conditionStr").toString(), doubled);
}

void TestMessagesSearch::flagWithoutANumberRefusesTheSearch()
{
    MessageSearchDialog dialog;
    int handedOver = 0;
    connect(&dialog, &MessageSearchDialog::sendConditionStr, &dialog, [&] { ++handedOver; });
    // Beside a filled text row: the flag switch on with its field empty, then
    // a range with its first number only.
    typed("checkBox_appOS", "lineEdit_appOS", "windows")(&dialog);
    on("checkBox_flag")(&dialog);
    const Set firstOnly = [](QWidget *d) {
        QTest::keyClicks(formChild<QLineEdit>(d, "lineEdit_flag1"), "1");
        picked("comboBox_flag1", QStringLiteral("介于"))(d);
    };
    for (const Set &set : {Set([](QWidget *) {}), firstOnly}) {
        set(&dialog);
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        confirm(&dialog);
        ANSWERED(answerer);
        QCOMPARE(handedOver, 0);
    }
}

QTEST_MAIN(TestMessagesSearch)
#include "tst_messages_search.moc"
