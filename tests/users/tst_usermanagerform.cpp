// The user page: nothing is fetched before it is used; paging through users;
// deleting the last row of the last page.
#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "httpstub.h"
#include "modalanswerer.h"
#include "usermanagerform.h"
#include "windowcheck.h"

class TestUserManagerForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void loadsOnFirstConditionAndPages();
    void deletingTheLastRowOfTheLastPageStepsBack();

private:
    HttpStub stub;
};

void TestUserManagerForm::loadsOnFirstConditionAndPages()
{
    UserManagerForm page;
    QCOMPARE(page.windowTitle(), QStringLiteral("您正在使用《用户管理》页面！"));
    QTest::qWait(50);
    QVERIFY(stub.requests.isEmpty());

    QJsonArray rows;
    for (int i = 1; i <= 30; ++i)
        rows.append(QJsonObject{{"id", i}, {"username", QStringLiteral("user%1").arg(i)}, {"grade", 1}});
    stub.setHandler([rows](const StubRequest &) { return StubResponse::list(rows, 61); });
    QString all;
    page.receiveConditionStr(all);
    page.show();
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/user/findByCondition"));
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(), QString());

    auto *combo = page.findChild<QComboBox *>("comboBox_pageNumber");
    QCOMPARE(combo->count(), 3);
    QCOMPARE(page.findChild<QLabel *>("label_pageMessage")->text(), QStringLiteral("第1页/共3页 |  共61个账户"));
    auto *next = page.findChild<QPushButton *>("pushButton_nextPage");
    QVERIFY(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    WindowCheck::pagingRow(&page, 2, 3, QStringLiteral("第2页/共3页 |  共61个账户"), QString());
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[2].json().value("curPage").toInt(), 3);
    QVERIFY(!next->isEnabled());
    QVERIFY(page.findChild<QPushButton *>("pushButtonl_previousPage")->isEnabled());

    QString condition = QStringLiteral(" and username like '%o''neil%'");
    page.receiveConditionStr(condition);
    QCOMPARE(stub.requests.last().json().value("curPage").toInt(), 1);
    QCOMPARE(stub.requests.last().json().value("conditionStr").toString(), condition);
    stub.setHandler(nullptr);
}

void TestUserManagerForm::deletingTheLastRowOfTheLastPageStepsBack()
{
    // 31 users; the one of page 2 is deleted, and the server then has 30.
    QJsonArray firstPage;
    for (int i = 1; i <= 30; ++i)
        firstPage.append(QJsonObject{{"id", i}, {"username", QStringLiteral("user%1").arg(i)}});
    int total = 31;
    stub.setHandler([&](const StubRequest &request) {
        const QJsonObject sent = request.json();
        if (request.path.endsWith("/delete")) {
            --total;
            return StubResponse::envelope(1, QStringLiteral("删除成功"), QJsonValue::Null);
        }
        if (sent.value("curPage").toInt() == 1)
            return StubResponse::list(firstPage, total);
        return StubResponse::list(total > 30 ? QJsonArray{QJsonObject{{"id", 31}, {"username", "user31"}}} : QJsonArray(),
                                  total);
    });
    UserManagerForm page;
    page.show();
    QTest::mouseClick(page.findChild<QPushButton *>("pushButton_nextPage"), Qt::LeftButton);
    auto *table = page.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 1);

    table->setCurrentCell(0, 1);
    QAction *deleteAction = nullptr;
    for (QAction *action : page.findChildren<QAction *>())
        if (action->text() == QStringLiteral("删除此行"))
            deleteAction = action;
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("确认"));
    page.slotMenuClicked(deleteAction);
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 5); // page 1, page 2, delete, page 2 again (empty), page 1
    QCOMPARE(stub.requests.last().json().value("curPage").toInt(), 1);
    QCOMPARE(table->rowCount(), 30);
    QVERIFY(!page.findChild<QLabel *>("label_pageMessage")->isVisible());
    stub.setHandler(nullptr);
}

QTEST_MAIN(TestUserManagerForm)
#include "tst_usermanagerform.moc"
