// What the account window puts on the wire, seen by a scripted server: list
// requests without stale keys, deletes in requests of their own, a second
// load during the wait ignored, failures shown or kept quiet as they should be.
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "httpstub.h"
#include "mainwindow.h"
#include "modalanswerer.h"

namespace {

QJsonArray rows(int from, int count)
{
    QJsonArray a;
    for (int i = from; i < from + count; ++i)
        a.append(QJsonObject{{"id", i}, {"accountName", QStringLiteral("n%1").arg(i)}, {"loginName", "root"}});
    return a;
}

void open(MainWindow &window, const QString &condition)
{
    DomainUi query;
    query.setCurPage(1);
    query.setPageSize(0);
    query.setConditionStr(condition);
    window.receiveDomainUi(query);
}

bool pickDelete(MainWindow &window)
{
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    const QPoint pos = table->visualItemRect(table->item(0, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::RightButton, {}, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, table->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(table->viewport(), &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    menu->hide();
    menu->actions().at(1)->trigger();
    return true;
}

} // namespace

class TestAccountsWire : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init()
    {
        stub.requests.clear();
        stub.setHandler(nullptr);
    }
    void listAndDeleteRequestsCarryNoStaleKeys();
    void pressDuringTheWaitIsDroppedAndAQueryRunsAfter();
    void failuresOfDeleteAndLoad();

private:
    HttpStub stub;
};

void TestAccountsWire::listAndDeleteRequestsCarryNoStaleKeys()
{
    stub.setHandler([](const StubRequest &r) {
        if (r.path.endsWith("/delete"))
            return StubResponse::envelope(1, "删除成功", QJsonValue::Null);
        return StubResponse::list(rows(1, 2), 2);
    });
    DomainUser user;
    user.setUsername("root");
    user.setGrade(5);
    MainWindow window;
    window.receiveUsername(user);
    window.show();

    open(window, " and date(registerDate) < '2024-01-01 00:00:00'");
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests.at(0).path, QByteArray("/android/accountInfo/findByCondition"));
    QCOMPARE(stub.requests.at(0).json(),
             (QJsonObject{{"curPage", 1}, {"pageSize", 30}, {"order", "desc"},
                          {"conditionStr", " and date(registerDate) < '2024-01-01 00:00:00'"}}));

    open(window, QString());
    QCOMPARE(stub.requests.at(1).json(), (QJsonObject{{"curPage", 1}, {"pageSize", 30}, {"order", "desc"}}));

    ModalAnswerer answerer;
    answerer.box(QString(), "删除提示", "知道了");
    QVERIFY(pickDelete(window));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QCOMPARE(stub.requests.size(), 4);
    const QJsonObject deleteRequest = stub.requests.at(2).json();
    QCOMPARE(stub.requests.at(2).path, QByteArray("/android/accountInfo/delete"));
    QCOMPARE(deleteRequest.keys(), QStringList{"dList"});
    const QJsonObject record = deleteRequest["dList"].toArray().at(0).toObject();
    QCOMPARE(record.size(), 13);
    QCOMPARE(record["id"], QJsonValue(1));
    QCOMPARE(record["accountName"], QJsonValue("n1"));
    QCOMPARE(record["eMail"], QJsonValue(""));
    // The reload after the delete is a plain list request again.
    QCOMPARE(stub.requests.at(3).json(), (QJsonObject{{"curPage", 1}, {"pageSize", 30}, {"order", "desc"}}));
}

void TestAccountsWire::pressDuringTheWaitIsDroppedAndAQueryRunsAfter()
{
    DomainUser user;
    user.setUsername("u");
    user.setGrade(1);
    MainWindow window;
    window.receiveUsername(user);
    window.show();
    stub.setHandler([](const StubRequest &) { return StubResponse::list(rows(1, 30), 45); });
    open(window, QString());
    auto *next = window.findChild<QPushButton *>("pushButton_nextPage");
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    QVERIFY(next->isEnabled());

    // While the next page is awaited the person presses "下一页" again (dropped)
    // and the dashboard sends a query, which runs once the page is in.
    bool pressedDuringWait = false;
    int sentDuringWait = 0;
    stub.setHandler([&](const StubRequest &) {
        if (!pressedDuringWait) {
            pressedDuringWait = true;
            QTest::mouseClick(next, Qt::LeftButton);
            open(window, QStringLiteral(" and accountName like '%x%'"));
            sentDuringWait = stub.requests.size();
            return StubResponse::list(rows(31, 15), 45);
        }
        return StubResponse::list(rows(90, 2), 2);
    });
    const int before = stub.requests.size();
    QTest::mouseClick(next, Qt::LeftButton);
    QVERIFY(pressedDuringWait);
    QCOMPARE(sentDuringWait, before + 1);
    QCOMPARE(stub.requests.size(), before + 2);
    QCOMPARE(stub.requests[before].json()["curPage"], QJsonValue(2));
    QCOMPARE(stub.requests.last().json()["conditionStr"].toString(),
             QStringLiteral(" and accountName like '%x%' and loginName ='u'"));
    QCOMPARE(stub.requests.last().json()["curPage"], QJsonValue(1));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 12)->text(), QStringLiteral("90"));
}

void TestAccountsWire::failuresOfDeleteAndLoad()
{
    DomainUser user;
    user.setUsername("u");
    user.setGrade(1);
    MainWindow window;
    window.receiveUsername(user);
    window.show();
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    stub.setHandler([](const StubRequest &r) {
        if (r.path.endsWith("/delete"))
            return StubResponse::envelope(0, "记录不存在");
        return StubResponse::list(rows(1, 3), 3);
    });
    open(window, QString());
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(stub.requests.at(0).json()["conditionStr"], QJsonValue(" and loginName ='u'"));

    ModalAnswerer answerer;
    answerer.box(QString(), "删除提示", "知道了");
    answerer.box(QString(), "记录不存在", "知道了");
    QVERIFY(pickDelete(window));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(stub.requests.size(), 2); // no reload after a refused delete
    QCOMPARE(table->rowCount(), 3);

    // A failed load shows nothing and leaves an empty table.
    stub.setHandler([](const StubRequest &) { return StubResponse::raw(500, "down"); });
    open(window, QString());
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(answerer.problems().isEmpty());
}

QTEST_MAIN(TestAccountsWire)
#include "tst_accounts_wire.moc"
