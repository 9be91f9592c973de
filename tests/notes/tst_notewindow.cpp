// The notes window as the dashboard drives it, against a scripted server.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QJsonArray>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "conditionbuilder.h"
#include "domainui.h"
#include "formchild.h"
#include "domainuser.h"
#include "httpstub.h"
#include "guidriver.h"
#include "modalanswerer.h"
#include "notetesting.h"
#include "notewindow.h"
#include "windowcheck.h"

class TestNoteWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void quotesAreDoubled();
    void presetQueryCarriesOwnerConditionFirst();
    void openingAsksAboutDueNotesAndKeepsThePageSize_data();
    void openingAsksAboutDueNotesAndKeepsThePageSize();
    void administratorIsNotAsked();
    void queryDuringAWaitRunsAfterAndAnEmptyConditionIsLeftOut();
    void deleteSendsOnlyTheRecordNotTheListRequest();
    void changeInTheDueViewRefreshesTheDueList();
    void userHandedOverAgainKeepsTheCondition();
    void administratorSeesOwnNotesAfterAnAddition();
    void columnSwitches();
    void severalPages();

private:
    static QJsonArray notes(int count);
    HttpStub stub;
};

QJsonArray TestNoteWindow::notes(int count)
{
    QJsonArray rows;
    for (int i = 1; i <= count; ++i)
        rows.append(QJsonObject{{"id", i}, {"title", QStringLiteral("笔记%1").arg(i)}, {"mold", "工作"}});
    return rows;
}

void TestNoteWindow::quotesAreDoubled()
{
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("o'neil")), QStringLiteral("o''neil"));
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("''")), QStringLiteral("''''"));
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("平常")), QStringLiteral("平常"));
}

void TestNoteWindow::presetQueryCarriesOwnerConditionFirst()
{
    Notes opened(QStringLiteral("o'neil"), 1);
    NoteWindow &window = opened.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("笔记管理"));
    QVERIFY(stub.requests.isEmpty());

    stub.enqueue(StubResponse::list(notes(31), 31));
    DomainUi preset;
    preset.setCurPage(1);
    preset.setConditionStr(QStringLiteral(" and isRemind = '开启'"));
    window.receiveDomainUi(preset);

    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/note/findByCondition"));
    const QJsonObject sent = stub.requests[0].json();
    QCOMPARE(sent.value("conditionStr").toString(), QStringLiteral(" and loginName ='o''neil' and isRemind = '开启'"));
    QCOMPARE(sent.value("pageSize").toInt(), 30);
    QCOMPARE(sent.value("curPage").toInt(), 1);
    QCOMPARE(sent.value("order").toString(), QStringLiteral("desc"));

    auto *table = window.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 31);
    QVERIFY(table->isColumnHidden(16)); // owner column below grade 5
    auto *combo = window.findChild<QComboBox *>("comboBox_pageNumber");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QStringLiteral("第2页/共2页"));
}

void TestNoteWindow::openingAsksAboutDueNotesAndKeepsThePageSize_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("rowsShown");
    QTest::newRow("查看") << QStringLiteral("查看") << 3;
    QTest::newRow("不查看") << QStringLiteral("不查看") << 5;
}

void TestNoteWindow::openingAsksAboutDueNotesAndKeepsThePageSize()
{
    QFETCH(QString, answer);
    QFETCH(int, rowsShown);
    Notes opened(QStringLiteral("u"), 1);
    NoteWindow &window = opened.window;
    // A search that chose its own page size.
    stub.enqueue(StubResponse::list(notes(1), 1));
    DomainUi search;
    search.setPageSize(5);
    window.receiveDomainUi(search);
    stub.requests.clear();

    stub.enqueue(StubResponse::list(notes(5), 5));
    stub.enqueue(StubResponse::list(notes(3), 3));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("条笔记需要处理"), answer);
    window.receiveSignal();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.seen().join('\n').contains(QStringLiteral("<span style='color:red'>3</span>")));

    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and isShow ='展示'"));
    QCOMPARE(stub.requests[1].path, QByteArray("/android/note/findByRemindDay"));
    const QJsonObject due = stub.requests[1].json();
    QCOMPARE(due.value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and isShow ='展示' and isRemind = '开启'"));
    QCOMPARE(due.value("pageSize").toInt(), 0);
    QCOMPARE(due.value("curPage").toInt(), 1);
    QCOMPARE(window.findChild<QTableWidget *>("tableWidget")->rowCount(), rowsShown);

    // Afterwards the window pages with the page size it had before the question.
    stub.enqueue(StubResponse::list(notes(1), 1));
    DomainUi preset;
    window.receiveDomainUi(preset);
    QCOMPARE(stub.requests.last().json().value("pageSize").toInt(), 5);
}

void TestNoteWindow::administratorIsNotAsked()
{
    Notes opened(QStringLiteral("admin"), 5);
    NoteWindow &window = opened.window;
    stub.enqueue(StubResponse::list(notes(2), 2));
    window.receiveSignal();
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(), QStringLiteral(" and isShow ='展示'"));
    QVERIFY(!window.findChild<QTableWidget *>("tableWidget")->isColumnHidden(16));
    auto *status = window.findChild<QStatusBar *>("statusbar")->findChild<QLabel *>();
    QCOMPARE(status->text(), QStringLiteral("当前总笔记数量为 2 条，已全部显示在页面中；    "));
}

void TestNoteWindow::queryDuringAWaitRunsAfterAndAnEmptyConditionIsLeftOut()
{
    Notes opened(QStringLiteral("admin"), 5);
    NoteWindow &window = opened.window;
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    table->sortByColumn(3, Qt::DescendingOrder);
    int answered = 0;
    stub.setHandler([&](const StubRequest &) {
        // A second query and a page step while the first request waits: the
        // step is dropped, the query runs once the first page is in.
        DomainUi again;
        again.setConditionStr(QStringLiteral(" and mold ='x'"));
        if (answered++ == 0) {
            window.receiveDomainUi(again);
            window.findChild<QComboBox *>("comboBox_pageNumber")->setCurrentIndex(0);
        }
        return StubResponse::list(notes(12), 40);
    });
    DomainUi preset;
    preset.setConditionStr(QStringLiteral(" and mold ='工作'"));
    window.receiveDomainUi(preset);
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(), QStringLiteral(" and mold ='工作'"));
    QCOMPARE(stub.requests[1].json().value("conditionStr").toString(), QStringLiteral(" and mold ='x'"));
    QCOMPARE(table->rowCount(), 12);
    for (int row = 0; row < table->rowCount(); ++row) // rows sorted, each whole
        QCOMPARE(table->item(row, 3)->text(), QStringLiteral("笔记%1").arg(table->item(row, 18)->text()));

    // An empty condition sends none (not the previous one).
    DomainUi all;
    window.receiveDomainUi(all);
    QCOMPARE(stub.requests.size(), 3);
    QVERIFY(!stub.requests[2].json().contains("conditionStr"));
    stub.setHandler(nullptr);
}

void TestNoteWindow::deleteSendsOnlyTheRecordNotTheListRequest()
{
    Notes opened(QStringLiteral("u"), 1);
    NoteWindow &window = opened.window;
    stub.enqueue(StubResponse::list(notes(2), 2));
    DomainUi preset;
    window.receiveDomainUi(preset);
    window.show();
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    const QPoint second = table->visualItemRect(table->item(1, 0)).center();
    const QString title = table->item(1, 3)->text();

    // "取消" sends nothing.
    stub.requests.clear();
    {
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("取消"));
        QVERIFY(GuiDriver::pickFromMenu(table, second, QStringLiteral("删除此行")));
        QVERIFY(answerer.allAnswered());
    }
    QVERIFY(stub.requests.isEmpty());

    // Refused: the server's text, the rows stay.
    stub.enqueue(StubResponse::envelope(-1, QStringLiteral("笔记已被锁定")));
    {
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
        answerer.box(QStringLiteral("提示信息"), QStringLiteral("笔记已被锁定"), QStringLiteral("知道了"));
        QVERIFY(GuiDriver::pickFromMenu(table, second, QStringLiteral("删除此行")));
        QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
        QVERIFY(answerer.allAnswered());
    }
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/note/delete"));
    // The request holds the row's whole record and nothing of the list request.
    const QJsonObject sent = stub.requests[0].json();
    QCOMPARE(sent.keys(), QStringList({"dList"}));
    const QJsonObject record = sent.value("dList").toArray().at(0).toObject();
    QCOMPARE(record.size(), 20);
    QCOMPARE(record.value("title").toString(), title);
    QVERIFY(record.value("id").isDouble());
    QCOMPARE(record.value("image").toString(), QString());
    QCOMPARE(table->rowCount(), 2);
}

void TestNoteWindow::changeInTheDueViewRefreshesTheDueList()
{
    Notes opened(QStringLiteral("u"), 1);
    NoteWindow &window = opened.window;
    stub.enqueue(StubResponse::list(notes(5), 5));
    stub.enqueue(StubResponse::list(notes(3), 3));
    {
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("条笔记需要处理"), QStringLiteral("查看"));
        window.receiveSignal();
        ANSWERED(answerer);
    }
    window.show();
    QCOMPARE(opened.titles(), QStringList({"笔记1", "笔记2", "笔记3"}));
    const QPoint second = opened.at(opened.rowOf(QStringLiteral("笔记2")));

    // The dialog closed without saving: nothing is sent.
    stub.requests.clear();
    {
        ModalAnswerer answerer;
        answerer.escape();
        QVERIFY(GuiDriver::pickFromMenu(opened.table(), second, QStringLiteral("修改此行")));
        ANSWERED(answerer);
    }
    QVERIFY(stub.requests.isEmpty());

    // Saved: the update, then the due notes again, on one page.
    QJsonArray stillDue = notes(3);
    stillDue.removeAt(1);
    stub.enqueue(StubResponse::envelope(1, QStringLiteral("修改成功")));
    stub.enqueue(StubResponse::list(stillDue, 2));
    {
        ModalAnswerer answerer;
        answerer.dialog("NoteAddUpdateDialog", [](QWidget *dialog) {
            GuiDriver::type(dialog->findChild<QLineEdit *>("lineEdit_title"), QStringLiteral("改"));
            QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
        });
        QVERIFY(GuiDriver::pickFromMenu(opened.table(), second, QStringLiteral("修改此行")));
        ANSWERED(answerer);
    }
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/note/update"));
    QCOMPARE(stub.requests[1].path, QByteArray("/android/note/findByRemindDay"));
    const QJsonObject due = stub.requests[1].json();
    QCOMPARE(due.value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and isShow ='展示' and isRemind = '开启'"));
    QCOMPARE(due.value("pageSize").toInt(-1), 0);
    QCOMPARE(due.value("curPage").toInt(), 1);
    QCOMPARE(opened.titles(), QStringList({"笔记1", "笔记3"}));
    QCOMPARE(opened.status(), QStringLiteral("当前总笔记数量为 2 条，已全部显示在页面中；    "));
}

void TestNoteWindow::userHandedOverAgainKeepsTheCondition()
{
    Notes opened(QStringLiteral("u"), 1);
    NoteWindow &window = opened.window;
    stub.enqueue(StubResponse::list(notes(1), 1));
    DomainUi search;
    search.setConditionStr(QStringLiteral(" and mold like '%工作%' "));
    window.receiveDomainUi(search);
    window.show();
    // The dashboard hands the user on again after its password dialog.
    window.receiveUser(opened.user, 0);
    QCOMPARE(window.windowTitle(), QStringLiteral("笔记管理"));

    stub.requests.clear();
    stub.enqueue(StubResponse::envelope(1, QStringLiteral("删除成功")));
    stub.enqueue(StubResponse::list(QJsonArray(), 0));
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(table, table->visualItemRect(table->item(0, 0)).center(), QStringLiteral("删除此行")));
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[1].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and mold like '%工作%' "));
}

void TestNoteWindow::administratorSeesOwnNotesAfterAnAddition()
{
    Notes opened(QStringLiteral("admin"), 5);
    NoteWindow &window = opened.window;
    window.show();
    stub.enqueue(StubResponse::envelope(1, QStringLiteral("添加成功")));
    stub.enqueue(StubResponse::list(notes(1), 1));
    ModalAnswerer answerer;
    answerer.dialog("NoteAddUpdateDialog", [](QWidget *dialog) {
        GuiDriver::type(dialog->findChild<QLineEdit *>("lineEdit_title"), QStringLiteral("新笔记"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    });
    window.findChild<QAction *>("addAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/note/add"));
    const QJsonObject record = stub.requests[0].json().value("dList").toArray().at(0).toObject();
    QCOMPARE(record.value("id").toInt(-1), 0);
    QCOMPARE(record.value("loginName").toString(), QStringLiteral("admin"));
    QCOMPARE(record.value("isRemind").toString(), QStringLiteral("关闭"));
    for (const char *key : {"remindMethod", "remindMethodBody", "remindFrequency", "remindDate"})
        QCOMPARE(record.value(key).toString(), QString());
    QCOMPARE(record.value("remindDateNumber").toInt(-1), 0);
    QVERIFY(!record.contains("attachedFile"));
    // Then the administrator's own shown notes.
    QCOMPARE(stub.requests[1].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='admin' and isShow ='展示'"));
}

void TestNoteWindow::columnSwitches()
{
    Notes opened(QStringLiteral("u"), 1);
    const auto reload = [&] {
        stub.enqueue(StubResponse::list(notes(2), 2));
        opened.preset();
    };
    reload();
    QTableWidget *table = opened.table();
    WindowCheck::columnSwitches(
        &opened.window,
        {{"registerDateSwitchAction", {5}, ":/images/date-off.png", "打开添加日期列", ":/images/date-on.png", "关闭添加日期列"},
         {"remindMethodSwitchAction", {8, 9, 10, 11, 12}, ":/images/remind-off.png", "打开提醒相关列",
          ":/images/remind-on.png", "关闭提箱相关列"},
         {"addressSwitchAction", {4}, ":/images/address-off.png", "打开地址列", ":/images/address-on.png", "关闭地址列"},
         {"imageAction", {13, 14, 15}, ":/images/attached-off.png", "打开附属列", ":/images/attached-on.png", "关闭附属列"},
         {"commentSwitchAction", {17}, ":/images/comment-off.png", "打开备注列", ":/images/comment-on.png", "关闭备注列"},
         {"isShowAction", {1}, ":/images/eye-off.png", "打开显示列", ":/images/eye-on.png", "关闭显示列"}},
        20, [table](int c) { return table->isColumnHidden(c); }, reload);
}

// 75 notes at 30 a page, walked with "下一页" from the first page to the last.
void TestNoteWindow::severalPages()
{
    Notes opened(QStringLiteral("u"), 1);
    stub.enqueue(StubResponse::list(notes(30), 75));
    opened.preset();
    auto *next = formChild<QPushButton>(&opened.window, "pushButton_nextPage");
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) {
            stub.enqueue(StubResponse::list(notes(page < 3 ? 30 : 15), 75));
            QTest::mouseClick(next, Qt::LeftButton);
        }
        QCOMPARE(stub.requests.last().json().value("curPage").toInt(), page);
        WindowCheck::pagingRow(&opened.window, page, 3, QStringLiteral("第%1页/共3页 |  共75条笔记").arg(page),
                               QStringLiteral("当前总笔记数量为 75 条，总共 3 页，每页显示 30 条笔记，当前所在位置：第 %1 页;    ")
                                   .arg(page));
    }
}

QTEST_MAIN(TestNoteWindow)
#include "tst_notewindow.moc"
