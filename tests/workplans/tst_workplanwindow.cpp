// The work-plan window as the dashboard drives it, against a scripted server.
#include <QComboBox>
#include <QJsonArray>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "httpstub.h"
#include "modalanswerer.h"
#include "plantesting.h"
#include "windowcheck.h"

using PlanTesting::PlanDesk;

class TestWorkPlanWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void openingAsksAboutDuePlans();
    void plansHangUnderTheirParents();
    void formWiringAndShortcuts();
    void deleteSendsOnlyTheIdAndPictureNotTheListRequest();
    void addSendsTheWholePlan();
    void openingPagesBy1000AgainAndDueDeletionsAskAgain();
    void columnSwitches();
    void severalPages();

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

void TestWorkPlanWindow::formWiringAndShortcuts()
{
    // The form connects every slot named after one of its objects.
    QTest::failOnWarning(QRegularExpression("No matching signal"));
    PlanDesk desk("u", 1);
    QCOMPARE(desk.action("addAction")->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(desk.action("findAction")->shortcut(), QKeySequence("Ctrl+F"));
    QCOMPARE(desk.action("copyAction")->shortcut(), QKeySequence("Ctrl+V"));
    QVERIFY(desk.window.styleSheet().contains("background:#EBFEF4"));
    QVERIFY(desk.window.styleSheet().contains("url(:/images/branch-open.png)"));

    ModalAnswerer answerer;
    QVERIFY(QTest::qWaitForWindowActive(&desk.window));
    answerer.dialog("WorkPlanSearchDialog", [](QWidget *w) { w->close(); });
    QTest::keySequence(&desk.window, QKeySequence("Ctrl+F"));
    ANSWERED(answerer);
    QApplication::setActiveWindow(&desk.window);
    QVERIFY(QTest::qWaitForWindowActive(&desk.window));
    answerer.box("备份提示", "没有找到导出的数据", "知道了");
    QTest::keySequence(&desk.window, QKeySequence("Ctrl+V"));
    ANSWERED(answerer);
}

void TestWorkPlanWindow::deleteSendsOnlyTheIdAndPictureNotTheListRequest()
{
    PlanDesk desk("u", 1);
    const QJsonArray page{PlanTesting::with(plan(7, "日计划", "2024-01-01", "2024-01-01", ""), {{"image", "p7.png"}}),
                          plan(8, "日计划", "2024-01-02", "2024-01-02", "")};
    stub.enqueue(StubResponse::list(page, 2));
    desk.query(" and isShow ='正常'");

    // A refusal is shown with the server's words; nothing is reloaded.
    stub.enqueue(StubResponse::envelope(0, "记录不存在"));
    ModalAnswerer answerer;
    answerer.box("删除提示", "确定要删除吗？删除后无法恢复", "确认");
    answerer.box("提示信息", "记录不存在", "知道了");
    desk.pick("p7", "删除此行");
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[1].path, QByteArray("/android/workPlan/delete"));
    QCOMPARE(stub.requests[1].json(),
             (QJsonObject{{"dList", QJsonArray{QJsonObject{{"id", 7}, {"image", "p7.png"}}}}}));
    QCOMPARE(desk.model()->rowCount(), 2);

    // A plan without a picture sends an empty one; the page is listed again.
    stub.enqueue(StubResponse::envelope(1, "删除成功", QJsonObject{{"flag", 1}}));
    stub.enqueue(StubResponse::list(QJsonArray{page[0]}, 1));
    answerer.box("删除提示", QString(), "确认");
    desk.pick("p8", "删除此行");
    ANSWERED(answerer);
    QCOMPARE(stub.requests[2].json()["dList"][0].toObject(), (QJsonObject{{"id", 8}, {"image", ""}}));
    QCOMPARE(stub.requests[3].json().value("conditionStr").toString(), QStringLiteral(" and loginName ='u' and isShow ='正常'"));
    QCOMPARE(desk.outline(), QStringList{"日计划 p7"});
}

void TestWorkPlanWindow::addSendsTheWholePlan()
{
    PlanDesk desk("root", 5);
    stub.enqueue(StubResponse::envelope(1, "学习--工作"));                // the tags
    stub.enqueue(StubResponse::envelope(1, "ok"));                      // the add
    stub.enqueue(StubResponse::list(QJsonArray{plan(1, "其它", "2024-01-01", "2024-01-01", "")}, 1));
    ModalAnswerer answerer;
    answerer.dialog("WorkPlanAddUpdateDialog", [](QWidget *d) {
        auto *tags = PlanTesting::widget<QComboBox>(d, "comboBox_tag");
        QCOMPARE(tags->count(), 3); // empty parts are kept
        QCOMPARE(tags->itemText(1), QString());
        tags->setCurrentIndex(2);
        PlanTesting::widget<QPushButton>(d, "PushButton_confirem")->click();
    });
    desk.action("addAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/workPlan/findTags"));
    const QString tagCondition = QStringLiteral("and isShow = '正常'  and loginName = 'root' ");
    QCOMPARE(stub.requests[0].json(), (QJsonObject{{"conditionStr", tagCondition}}));
    QCOMPARE(stub.requests[1].path, QByteArray("/android/workPlan/add"));
    const QJsonObject request = stub.requests[1].json();
    QCOMPARE(request.value("conditionStr").toString(), tagCondition);
    const QJsonObject record = request["dList"][0].toObject();
    QCOMPARE(record.size(), 29);
    QCOMPARE(record.value("id"), QJsonValue(0));
    QCOMPARE(record.value("tag").toString(), QStringLiteral("工作"));
    QCOMPARE(record.value("mold").toString(), QStringLiteral("年度计划"));
    QCOMPARE(record.value("loginName").toString(), QStringLiteral("root"));
    QCOMPARE(record.value("remindFrequency"), QJsonValue(QString()));
    QCOMPARE(record.value("image"), QJsonValue(QString()));
    QVERIFY(record.value("completionStatus").isDouble() && record.value("score").isDouble());
    // Afterwards the adder's own normal plans, an administrator's too.
    QCOMPARE(stub.requests[2].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='root' and isShow ='正常'"));
}

// Below grade 5 the dashboard's opening leaves the plans paged by 1000 under
// the default filter, whatever the due answer. In the due view a deletion asks
// for the due plans with the owner and shown-state clauses once more.
void TestWorkPlanWindow::openingPagesBy1000AgainAndDueDeletionsAskAgain()
{
    PlanDesk desk("u", 1);
    const QString normal = QStringLiteral(" and loginName ='u' and isShow ='正常'");
    const QString remind = QStringLiteral(" and isRemind = '开启'");
    const QJsonArray days{plan(1, "日计划", "2024-01-01", "2024-01-02", ""), plan(2, "日计划", "2024-01-02", "2024-01-03", ""),
                          plan(3, "日计划", "2024-01-03", "2024-01-04", "")};
    ModalAnswerer answerer;
    for (const QString &answer : {QString(), QStringLiteral("不查看"), QStringLiteral("查看")}) {
        stub.enqueue(StubResponse::list(days, 3));
        desk.query(QStringLiteral(" and mold ='日计划'"), 2); // a search's page size
        stub.enqueue(StubResponse::list(days, 3));
        stub.enqueue(StubResponse::list(answer.isEmpty() ? QJsonArray() : QJsonArray{days[0], days[1]}, answer.isEmpty() ? 0 : 2));
        if (!answer.isEmpty())
            answerer.box(QStringLiteral("处理计划提示"), QStringLiteral("条计划需要处理"), answer);
        const int opened = stub.requests.size();
        desk.open();
        ANSWERED(answerer);
        QCOMPARE(stub.requests[opened].json().value("pageSize").toInt(), 2);
        QCOMPARE(stub.requests[opened + 1].json().value("conditionStr").toString(), normal + remind);
        stub.enqueue(StubResponse::list(days, 3));
        desk.window.findAll();
        QCOMPARE(stub.requests.last().path, QByteArray("/android/workPlan/findByCondition"));
        QCOMPARE(stub.requests.last().json().value("pageSize").toInt(), 1000);
        QCOMPARE(stub.requests.last().json().value("conditionStr").toString(), normal);
    }

    // "查看" again, then two deletions in the due view.
    stub.enqueue(StubResponse::list(days, 3));
    stub.enqueue(StubResponse::list(QJsonArray{days[0], days[1]}, 2));
    answerer.box(QStringLiteral("处理计划提示"), QStringLiteral("条计划需要处理"), QStringLiteral("查看"));
    desk.open();
    ANSWERED(answerer);
    QCOMPARE(desk.outline(), (QStringList{"日计划 p1", "日计划 p2"}));
    for (const char *title : {"p1", "p2"}) {
        stub.enqueue(StubResponse::envelope(1, "删除成功", QJsonObject{{"flag", 1}}));
        stub.enqueue(StubResponse::list(QJsonArray{days[title[1] == '1' ? 1 : 2]}, 1));
        answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
        desk.pick(QString::fromLatin1(title), QStringLiteral("删除此行"));
        ANSWERED(answerer);
        QCOMPARE(stub.requests.last().path, QByteArray("/android/workPlan/findByRemindDay"));
        QCOMPARE(stub.requests.last().json().value("conditionStr").toString(), normal + normal + remind);
        QCOMPARE(stub.requests.last().json().value("pageSize").toInt(), 0);
    }
    QCOMPARE(desk.outline(), QStringList{"日计划 p3"});
}

void TestWorkPlanWindow::columnSwitches()
{
    PlanDesk desk("u", 1);
    const auto reload = [&] {
        stub.enqueue(StubResponse::list(QJsonArray{plan(1, "年度计划", "2024-01-01", "2024-12-31", "")}, 1));
        desk.query(" and isShow ='正常'");
    };
    reload();
    QTreeView *tree = desk.tree();
    WindowCheck::columnSwitches(
        &desk.window,
        {{"assessAction", {15, 16}, ":/images/assess-off.png", "打开评估列", ":/images/assess-on.png", "关闭评估列"},
         {"registerDateSwitchAction", {17, 18}, ":/images/date-off.png", "打开添加/修改日期列", ":/images/date-on.png",
          "关闭添加/修改日期列"},
         {"remindMethodSwitchAction", {19, 20, 21, 22, 23, 24}, ":/images/remind-off.png", "打开提醒相关列",
          ":/images/remind-on.png", "关闭提箱相关列"},
         {"imageAction", {25}, ":/images/image-off.png", "打开图片列", ":/images/image-on.png", "关闭图片列"},
         {"commentSwitchAction", {26}, ":/images/comment-off.png", "打开备注列", ":/images/comment-on.png", "关闭备注列"}},
        29, [tree](int c) { return tree->isColumnHidden(c); }, reload);
}

// 2500 plans at the window's 1000 a page, walked with "下一页" to the last page.
void TestWorkPlanWindow::severalPages()
{
    PlanDesk desk("u", 1);
    const QJsonArray page{plan(1, "年度计划", "2024-01-01", "2024-12-31", "")};
    stub.enqueue(StubResponse::list(page, 2500));
    desk.query(" and isShow ='正常'");
    for (int p = 1; p <= 3; ++p) {
        if (p > 1) {
            stub.enqueue(StubResponse::list(page, 2500));
            QTest::mouseClick(desk.child<QPushButton>("pushButton_nextPage"), Qt::LeftButton);
        }
        QCOMPARE(stub.requests.last().json().value("curPage").toInt(), p);
        WindowCheck::pagingRow(&desk.window, p, 3, QStringLiteral("第%1页/共3页 |  共2500条笔记").arg(p),
                               QStringLiteral("当前总计划数量为 2500 条，总共 3 页，每页显示 1000 条笔记，当前所在位置：第 %1 页;    ")
                                   .arg(p));
    }
}

QTEST_MAIN(TestWorkPlanWindow)
#include "tst_workplanwindow.moc"
