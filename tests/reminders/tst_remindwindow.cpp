// The reminders window as the dashboard drives it, against a scripted server.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDate>
#include <QPlainTextEdit>
#include <QDateEdit>
#include <QJsonArray>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "domainui.h"
#include "guidriver.h"
#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "remindwindow.h"
#include "windowcheck.h"

class TestRemindWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void presetQueryCarriesOwnerConditionLast();
    void openingAsksAboutDueRemindersAndKeepsThePageSize();
    void remindDateColours();
    void nothingStartsWhileTheDueRequestWaits();
    void addAndDueListAgainSendTheirConditions();
    void columnSwitches();
    void severalPages();

private:
    static QJsonArray reminders(int count);
    // The window of a user of grade 1, shown.
    static void logIn(RemindWindow &window, DomainUser &user);
    // Lists the rows under a preset query from the dashboard.
    void list(RemindWindow &window, const QJsonArray &rows, int totalCount);
    HttpStub stub;
};

QJsonArray TestRemindWindow::reminders(int count)
{
    QJsonArray rows;
    for (int i = 1; i <= count; ++i)
        rows.append(QJsonObject{{"id", i}, {"title", QStringLiteral("提醒%1").arg(i)}, {"isRemind", "开启"}});
    return rows;
}

void TestRemindWindow::logIn(RemindWindow &window, DomainUser &user)
{
    user.setUsername(QStringLiteral("u"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    window.show();
}

void TestRemindWindow::list(RemindWindow &window, const QJsonArray &rows, int totalCount)
{
    stub.enqueue(StubResponse::list(rows, totalCount));
    DomainUi preset;
    preset.setCurPage(1);
    window.receiveDomainUi(preset);
}

void TestRemindWindow::presetQueryCarriesOwnerConditionLast()
{
    RemindWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("it's"));
    user.setGrade(4);
    window.receiveUser(user, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("提醒事件管理"));
    stub.enqueue(StubResponse::list(reminders(2), 2));
    DomainUi preset;
    preset.setCurPage(1);
    preset.setConditionStr(QStringLiteral("and isRemind = '开启'"));
    window.receiveDomainUi(preset);
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/remind/findByCondition"));
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(),
             QStringLiteral("and isRemind = '开启' and loginName ='it''s'"));
    QCOMPARE(window.findChild<QTableWidget *>("tableWidget")->rowCount(), 2);
}

void TestRemindWindow::openingAsksAboutDueRemindersAndKeepsThePageSize()
{
    RemindWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("u"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    stub.enqueue(StubResponse::list(reminders(4), 4));
    stub.enqueue(StubResponse::list(reminders(3), 3));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("个需要提醒的事件处理"), QStringLiteral("查看"));
    window.receiveSignal();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(),
             QStringLiteral("and isRemind = '开启' and loginName ='u'"));
    QCOMPARE(stub.requests[1].path, QByteArray("/android/remind/findByRemindDay"));
    QCOMPARE(stub.requests[1].json().value("pageSize").toInt(), 0);
    QCOMPARE(window.findChild<QTableWidget *>("tableWidget")->rowCount(), 3);
    QVERIFY(!window.findChild<QWidget *>("pushButton_nextPage")->isVisibleTo(&window));

    // Nothing due: no box at all, and a page size chosen by a search stays.
    stub.enqueue(StubResponse::list(reminders(1), 1));
    DomainUi search;
    search.setPageSize(5);
    window.receiveDomainUi(search);
    stub.enqueue(StubResponse::list(reminders(4), 4));
    stub.enqueue(StubResponse::list(QJsonArray(), 0));
    ModalAnswerer none;
    window.receiveSignal();
    QVERIFY(none.problems().isEmpty());
    QCOMPARE(window.findChild<QTableWidget *>("tableWidget")->rowCount(), 4);
    stub.enqueue(StubResponse::list(reminders(1), 1));
    DomainUi again;
    window.receiveDomainUi(again);
    QCOMPARE(stub.requests.last().json().value("pageSize").toInt(), 5);
}

void TestRemindWindow::remindDateColours()
{
    RemindWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("u"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    const QDate today = QDate::currentDate();
    auto row = [](int id, const QDate &date, int lead, const char *on) {
        return QJsonObject{{"id", id}, {"remindDate", date.toString("yyyy-MM-dd")}, {"remindDateNumber", lead},
                           {"isRemind", QString::fromUtf8(on)}};
    };
    stub.enqueue(StubResponse::list(QJsonArray{row(1, today.addDays(10), 3, "开启"), row(2, today.addDays(2), 3, "开启"),
                                               row(3, today, 0, "已开启"), row(4, today.addDays(-1), 0, "开启"),
                                               row(5, today, 0, "关闭")},
                                    5));
    DomainUi preset;
    window.receiveDomainUi(preset);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    table->sortItems(13); // by id text
    QCOMPARE(table->item(0, 7)->foreground().color(), QColor(0, 100, 0));
    QCOMPARE(table->item(1, 7)->foreground().color(), QColor(255, 165, 0));
    QCOMPARE(table->item(2, 7)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(table->item(2, 7)->background().color(), QColor(255, 228, 181));
    QCOMPARE(table->item(3, 7)->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(table->item(4, 7)->foreground().style(), Qt::NoBrush);
    QCOMPARE(table->item(0, 10)->text(), QStringLiteral("3 天"));
}

// While the due question's request waits, the person's clicks on the window
// start nothing: no page change, no row menu, no delete.
void TestRemindWindow::nothingStartsWhileTheDueRequestWaits()
{
    RemindWindow window;
    DomainUser user;
    logIn(window, user);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    auto *next = window.findChild<QPushButton *>("pushButton_nextPage");
    stub.enqueue(StubResponse::list(reminders(30), 45));
    bool menuOpened = false;
    stub.setHandler([&](const StubRequest &request) {
        if (request.path.endsWith("findByRemindDay")) {
            QTest::mouseClick(next, Qt::LeftButton);
            QTimer probe; // a menu the window waits on would be found here
            probe.setSingleShot(true);
            QObject::connect(&probe, &QTimer::timeout, [&] {
                if (auto *menu = QApplication::activePopupWidget()) {
                    menuOpened = true;
                    menu->close();
                }
            });
            probe.start(0);
            const QPoint pos = table->visualItemRect(table->item(0, 2)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, pos, table->viewport()->mapToGlobal(pos));
            QApplication::sendEvent(table->viewport(), &event);
            QTest::qWait(20);
            return StubResponse::list(reminders(2), 2);
        }
        return StubResponse::list(reminders(15), 45);
    });
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("个需要提醒的事件处理"), QStringLiteral("不查看"));
    window.receiveSignal();
    stub.setHandler(nullptr);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(!menuOpened);
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(window.findChild<QLabel *>("label_pageMessage")->text(), QStringLiteral("第1页/共2页 |  共45个提醒"));

    // Afterwards the page size is the one the page was loaded with.
    stub.enqueue(StubResponse::list(reminders(15), 45));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[2].json().value("curPage").toInt(), 2);
    QCOMPARE(stub.requests[2].json().value("pageSize").toInt(), 30);
    QCOMPARE(window.findChild<QLabel *>("label_pageMessage")->text(), QStringLiteral("第2页/共2页 |  共45个提醒"));
}

// After an add, administrators too list their own enabled reminders, the
// second clause straight after the owner's closing quote. In the due view a
// deletion or a change asks for the due list with the owner condition first.
void TestRemindWindow::addAndDueListAgainSendTheirConditions()
{
    auto saveTomorrow = [](QWidget *dialog) {
        dialog->findChild<QDateEdit *>("dateEdit_remindDate")->setDate(QDate::currentDate().addDays(1));
        dialog->findChild<QPlainTextEdit *>("textEdit_content")->setPlainText(QStringLiteral("c"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    };
    ModalAnswerer answerer;
    {
        RemindWindow window;
        DomainUser root;
        root.setUsername(QStringLiteral("root"));
        root.setGrade(5);
        window.receiveUser(root, 1);
        stub.enqueue(StubResponse::envelope(1, QStringLiteral("ok")));
        stub.enqueue(StubResponse::list(reminders(1), 1));
        answerer.dialog("RemindAddUpdateDialog", saveTomorrow);
        window.findChild<QAction *>("addAction")->trigger();
        ANSWERED(answerer);
        QCOMPARE(stub.requests.size(), 2);
        QCOMPARE(stub.requests[0].path, QByteArray("/android/remind/add"));
        QCOMPARE(stub.requests[1].json().value("conditionStr").toString(),
                 QStringLiteral(" and loginName ='root'and isRemind = '开启'"));
    }

    RemindWindow window;
    DomainUser user;
    logIn(window, user);
    stub.enqueue(StubResponse::list(reminders(4), 4));
    stub.enqueue(StubResponse::list(reminders(3), 3));
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("个需要提醒的事件处理"), QStringLiteral("查看"));
    window.receiveSignal();
    ANSWERED(answerer);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    const QString dueAgain = QStringLiteral(" and loginName ='u' and isRemind = '开启'");

    stub.enqueue(StubResponse::envelope(1, QStringLiteral("ok")));
    stub.enqueue(StubResponse::list(reminders(2), 2));
    answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(table, table->visualItemRect(table->item(0, 2)).center(), QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(stub.requests.last().path, QByteArray("/android/remind/findByRemindDay"));
    QCOMPARE(stub.requests.last().json().value("conditionStr").toString(), dueAgain);
    QCOMPARE(table->rowCount(), 2);

    stub.enqueue(StubResponse::envelope(1, QStringLiteral("ok")));
    stub.enqueue(StubResponse::list(reminders(1), 1));
    answerer.dialog("RemindAddUpdateDialog", saveTomorrow);
    QVERIFY(GuiDriver::pickFromMenu(table, table->visualItemRect(table->item(0, 2)).center(), QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(stub.requests[stub.requests.size() - 2].path, QByteArray("/android/remind/update"));
    QCOMPARE(stub.requests.last().path, QByteArray("/android/remind/findByRemindDay"));
    QCOMPARE(stub.requests.last().json().value("conditionStr").toString(), dueAgain);
    QCOMPARE(table->rowCount(), 1);
}

void TestRemindWindow::columnSwitches()
{
    RemindWindow window;
    DomainUser user;
    logIn(window, user);
    const auto reload = [&] { list(window, reminders(2), 2); };
    reload();
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    WindowCheck::columnSwitches(
        &window,
        {{"addressSwitchAction", {4}, ":/images/address-off.png", "打开地址列", ":/images/address-on.png", "关闭地址列"},
         {"registerDateSwitchAction", {5}, ":/images/date-off.png", "打开添加日期列", ":/images/date-on.png", "关闭添加日期列"},
         {"remindMethodSwitchAction", {8, 9}, ":/images/remind-off.png", "打开提醒相关列", ":/images/remind-on.png",
          "关闭提箱相关列"}},
        14, [table](int c) { return table->isColumnHidden(c); }, reload);
}

// 75 reminders at 30 a page, walked with "下一页" from the first page to the last.
void TestRemindWindow::severalPages()
{
    RemindWindow window;
    DomainUser user;
    logIn(window, user);
    list(window, reminders(30), 75);
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) {
            stub.enqueue(StubResponse::list(reminders(page < 3 ? 30 : 15), 75));
            QTest::mouseClick(window.findChild<QPushButton *>("pushButton_nextPage"), Qt::LeftButton);
        }
        QCOMPARE(stub.requests.last().json().value("curPage").toInt(), page);
        WindowCheck::pagingRow(&window, page, 3, QStringLiteral("第%1页/共3页 |  共75个提醒").arg(page),
                               QStringLiteral("当前总提醒事件数量为 75 个，总共 3 页，每页显示 30 个事件，当前所在位置：第 %1 页;    ")
                                   .arg(page));
    }
}

QTEST_MAIN(TestRemindWindow)
#include "tst_remindwindow.moc"
