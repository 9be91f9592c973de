// The system message window: nothing is fetched before it is used.
#include <QAction>
#include <QPushButton>
#include <QJsonArray>
#include <QTableWidget>
#include <QtTest>

#include "httpstub.h"
#include "messagewindow.h"
#include "modalanswerer.h"
#include "windowcheck.h"

class TestMessageWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void loadsOnFirstConditionNotWhenBuilt();
    void loadsOnFirstShowingWhenNoConditionCame();
    void deletesTheClickedRowWithARequestOfItsOwn();
    void severalPages();

private:
    HttpStub stub;
};

void TestMessageWindow::loadsOnFirstConditionNotWhenBuilt()
{
    MessageWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("您正在使用《消息管理》页面！"));
    QTest::qWait(50);
    QVERIFY(stub.requests.isEmpty());

    QJsonArray rows;
    for (int i = 1; i <= 31; ++i)
        rows.append(QJsonObject{{"id", i}, {"flag", 1.25}, {"appOS", "windows"}});
    stub.enqueue(StubResponse::list(rows, 31));
    QString condition = QStringLiteral(" and showSwitchStr = '展示' and appOS = 'windows'");
    window.receiveConditionStr(condition);
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/message/findByCondition"));
    const QJsonObject sent = stub.requests[0].json();
    QCOMPARE(sent.value("conditionStr").toString(), condition);
    QCOMPARE(sent.value("curPage").toInt(), 1);
    QCOMPARE(sent.value("pageSize").toInt(), 30);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 31);
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("1.25"));

    // Shown afterwards, as the dashboard does: no second load.
    window.show();
    QTest::qWait(20);
    QCOMPARE(stub.requests.size(), 1);
}

void TestMessageWindow::loadsOnFirstShowingWhenNoConditionCame()
{
    MessageWindow window;
    stub.enqueue(StubResponse::list(QJsonArray(), 0));
    window.show();
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(), QString());
    window.hide();
    window.show();
    QCOMPARE(stub.requests.size(), 1);
}

void TestMessageWindow::deletesTheClickedRowWithARequestOfItsOwn()
{
    MessageWindow window;
    const QJsonArray rows{QJsonObject{{"id", 1}, {"flag", -2}, {"message", "a"}},
                          QJsonObject{{"id", 2}, {"flag", 3}, {"message", "b"}}};
    stub.enqueue(StubResponse::list(rows, 2));
    QString all;
    window.receiveConditionStr(all);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    table->sortByColumn(10, Qt::DescendingOrder); // "b" first
    table->setCurrentCell(1, 3);
    QAction *deleteAction = nullptr;
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == QStringLiteral("删除此行"))
            deleteAction = action;
    QVERIFY(deleteAction);

    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("取消"));
    window.slotMenuClicked(deleteAction);
    QCOMPARE(stub.requests.size(), 1);

    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("确认"));
    stub.enqueue(StubResponse::envelope(1, QStringLiteral("删除成功")));
    stub.enqueue(StubResponse::list(QJsonArray{rows[1]}, 1));
    window.slotMenuClicked(deleteAction);
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[1].path, QByteArray("/android/message/delete"));
    const QJsonObject sent = stub.requests[1].json();
    QCOMPARE(sent.keys(), QStringList{"dList"});
    QCOMPARE(sent.value("dList").toArray().at(0).toObject().value("id").toInt(), 1);
    QCOMPARE(sent.value("dList").toArray().at(0).toObject().value("flag").toDouble(), 0.0);
    QVERIFY(!stub.requests[2].json().contains("dList"));
    QCOMPARE(stub.requests[2].json().value("conditionStr").toString(), QString());
    QCOMPARE(table->rowCount(), 1);

    // A refusal is shown and nothing is reloaded.
    table->setCurrentCell(0, 0);
    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("确认"));
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("不能删除"), QStringLiteral("知道了"));
    stub.enqueue(StubResponse::envelope(0, QStringLiteral("不能删除")));
    window.slotMenuClicked(deleteAction);
    QCOMPARE(stub.requests.size(), 4);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
}

// 75 messages at 30 a page, walked with "下一页" from the first page to the last.
void TestMessageWindow::severalPages()
{
    MessageWindow window;
    QJsonArray rows;
    for (int i = 1; i <= 30; ++i)
        rows.append(QJsonObject{{"id", i}, {"message", QStringLiteral("信息%1").arg(i)}});
    stub.enqueue(StubResponse::list(rows, 75));
    QString all;
    window.receiveConditionStr(all);
    window.show();
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) {
            stub.enqueue(StubResponse::list(rows, 75));
            QTest::mouseClick(window.findChild<QPushButton *>("pushButton_nextPage"), Qt::LeftButton);
        }
        QCOMPARE(stub.requests.last().json().value("curPage").toInt(), page);
        WindowCheck::pagingRow(&window, page, 3, QStringLiteral("第%1页/共3页 |  共75个账户").arg(page),
                               QStringLiteral("当前信息总数量为 75 条，总共 3 页，每页显示 30 条信息，当前所在位置：第 %1 页;    ")
                                   .arg(page));
    }
}

QTEST_MAIN(TestMessageWindow)
#include "tst_messagewindow.moc"
