// The work-plan window as the dashboard drives it, against a scripted server.
#include <QJsonArray>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "workplanwindow.h"

class TestWorkPlanWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void openingAsksAboutDuePlans();
    void plansHangUnderTheirParents();

private:
    static QJsonObject plan(int id, const char *mold, const char *start, const char *end, const char *tag,
                            int serial = 0);
    HttpStub stub;
};

QJsonObject TestWorkPlanWindow::plan(int id, const char *mold, const char *start, const char *end, const char *tag,
                                     int serial)
{
    return QJsonObject{{"id", id}, {"mold", QString::fromUtf8(mold)}, {"startDate", start}, {"endDate", end},
                       {"tag", QString::fromUtf8(tag)}, {"serialNumber", serial}, {"title", QStringLiteral("p%1").arg(id)}};
}

void TestWorkPlanWindow::openingAsksAboutDuePlans()
{
    WorkPlanWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("u'"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("工作计划管理"));
    const QJsonArray days{plan(1, "日计划", "2024-01-01", "2024-01-02", ""), plan(2, "日计划", "2024-01-02", "2024-01-03", ""),
                          plan(3, "日计划", "2024-01-03", "2024-01-04", "")};
    stub.enqueue(StubResponse::list(days, 3));
    stub.enqueue(StubResponse::list(QJsonArray{days[0]}, 1));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理计划提示"), QStringLiteral("条计划需要处理"), QStringLiteral("查看"));
    window.receiveSignal();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u''' and isShow ='正常'"));
    QCOMPARE(stub.requests[0].json().value("pageSize").toInt(), 1000);
    QCOMPARE(stub.requests[1].path, QByteArray("/android/workPlan/findByRemindDay"));
    QCOMPARE(stub.requests[1].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u''' and isShow ='正常' and isRemind = '开启'"));
    auto *tree = window.findChild<QTreeView *>("treeView");
    QCOMPARE(tree->model()->rowCount(), 1);
}

void TestWorkPlanWindow::plansHangUnderTheirParents()
{
    WorkPlanWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("admin"));
    user.setGrade(5);
    window.receiveUser(user, 1);
    const QJsonArray page{plan(1, "年度计划", "2024-01-01", "2024-12-31", "工作-学习"),
                          plan(2, "季度计划", "2024-04-01", "2024-06-30", "学习", 2),
                          plan(3, "季度计划", "2024-01-01", "2024-03-31", "学习", 1),
                          plan(4, "季度计划", "2024-04-01", "2024-06-30", "生活"),
                          plan(5, "季度计划", "2024-12-31", "2025-03-31", "学习"),
                          plan(6, "其它", "2024-05-01", "2024-05-02", "")};
    stub.enqueue(StubResponse::list(page, 6));
    DomainUi preset;
    window.receiveDomainUi(preset);
    const QAbstractItemModel *model = window.findChild<QTreeView *>("treeView")->model();
    QCOMPARE(model->rowCount(), 1);
    const QModelIndex year = model->index(0, 0);
    QCOMPARE(model->rowCount(year), 2); // the "生活" quarter and the one on the end date do not fit
    QCOMPARE(model->index(0, 28, year).data().toString(), QStringLiteral("3")); // serial order
    QCOMPARE(model->index(1, 28, year).data().toString(), QStringLiteral("2"));
    QCOMPARE(model->rowCount(model->index(1, 0, year)), 1); // the other plan under quarter 2
    QCOMPARE(model->index(0, 14).data().toString(), QStringLiteral("0%"));
    QVERIFY(!window.findChild<QTreeView *>("treeView")->isColumnHidden(27));
}

QTEST_MAIN(TestWorkPlanWindow)
#include "tst_workplanwindow.moc"
