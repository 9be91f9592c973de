// The system message window: nothing is fetched before it is used.
#include <QJsonArray>
#include <QTableWidget>
#include <QtTest>

#include "httpstub.h"
#include "messagewindow.h"

class TestMessageWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void loadsOnFirstConditionNotWhenBuilt();
    void loadsOnFirstShowingWhenNoConditionCame();

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

QTEST_MAIN(TestMessageWindow)
#include "tst_messagewindow.moc"
