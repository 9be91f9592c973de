// The work-plan window against the real server, used as a person would: the
// plans shown as a tree, a row's menu (content, delete), the question about
// due plans and the backup of the tree read back from the workbook.
#include <QDate>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "modalanswerer.h"
#include "plantesting.h"
#include "workbookfile.h"

using namespace PlanTesting;

class TestWorkPlanActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { server.reset(); }
    void yearsHoldTheirPeriodsAsATree();
    void deleteFromTheRowMenu();
    void duePlansViewedAndDeleted();
    void backupWritesTheTreeInOrder();
    void backupOfEveryPlanAndItsRefusals();
    void contentViewerShowsThePlan();

private:
    bool seedYear();
    std::unique_ptr<ServerProcess> server;
};

void TestWorkPlanActions::init()
{
    server = std::make_unique<ServerProcess>(false);
    QVERIFY(server->start());
}

// Two years that share one quarter; below it a month, a week and a day; an
// "其它" plan that would fit the day, which stands on the fifth level.
bool TestWorkPlanActions::seedYear()
{
    return seed(plan("年度计划", "Y2", "2024-04-01", "2025-03-31", "工作-学习", 2))
           && seed(plan("年度计划", "Y1", "2024-01-01", "2024-12-31", "工作", 1))
           && seed(plan("季度计划", "Q2", "2024-04-01", "2024-06-30", "工作", 2))
           && seed(plan("季度计划", "Q1", "2024-01-01", "2024-03-31", "工作", 1))
           && seed(plan("季度计划", "Q-life", "2024-04-01", "2024-06-30", "生活", 3))
           && seed(plan("月计划", "M4", "2024-04-01", "2024-04-30", "工作"))
           && seed(plan("周计划", "W1", "2024-04-01", "2024-04-07", "工作"))
           && seed(plan("日计划", "D2", "2024-04-02", "2024-04-02", "工作"))
           && seed(plan("其它", "O", "2024-04-02", "2024-04-02", "工作"))
           && seed(plan("月计划", "M-other", "2024-04-01", "2024-04-30", "工作", 0, "someone"));
}

void TestWorkPlanActions::yearsHoldTheirPeriodsAsATree()
{
    QVERIFY(seedYear());
    PlanDesk desk("u", 1);
    desk.open();
    const QStringList tree{"年度计划 Y1",       "  季度计划 Q1",   "  季度计划 Q2", "    月计划 M4",
                           "      周计划 W1",   "        日计划 D2", "年度计划 Y2",   "  季度计划 Q2",
                           "    月计划 M4",     "      周计划 W1", "        日计划 D2"};
    QCOMPARE(desk.outline(), tree);
    QVERIFY(desk.tree()->isExpanded(desk.find("W1")));
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 9 条，已全部显示在页面中；    "));
    // Nothing in the tree can be edited in place.
    const QModelIndex day = desk.find("D2");
    for (int column = 0; column < 29; ++column)
        QVERIFY(!(day.siblingAtColumn(column).flags() & Qt::ItemIsEditable));
    desk.tree()->edit(day.siblingAtColumn(TitleColumn));
    QVERIFY(!desk.tree()->indexWidget(day.siblingAtColumn(TitleColumn)));
    QVERIFY(desk.tree()->isColumnHidden(27));
    QVERIFY(desk.tree()->isColumnHidden(IdColumn));

    // A dashboard query for the "其它" plans alone shows them at the top.
    desk.query(" and mold ='其它'");
    QCOMPARE(desk.outline(), QStringList{"其它 O"});
    // An administrator sees every owner's plans and their owners.
    PlanDesk admin("root", 5);
    admin.query(" and mold ='月计划'");
    QCOMPARE(admin.outline(), (QStringList{"月计划 M-other", "月计划 M4"}));
    QVERIFY(!admin.tree()->isColumnHidden(27));
    QCOMPARE(admin.find("M-other").siblingAtColumn(27).data().toString(), QStringLiteral("someone"));
}

void TestWorkPlanActions::deleteFromTheRowMenu()
{
    QVERIFY(seed(with(plan("日计划", "pictured", "2024-04-01", "2024-04-01"), {{"image", "p.png"}})));
    QVERIFY(seed(plan("日计划", "plain", "2024-04-02", "2024-04-02")));
    PlanDesk desk("u", 1);
    desk.open();
    QCOMPARE(desk.pick("pictured"), (QStringList{"显示内容", "显示图片", "修改此行", "删除此行"}));
    QCOMPARE(desk.pick("plain"), (QStringList{"显示内容", "修改此行", "删除此行"}));

    // The picture, fetched from the server, in the window's image viewer.
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(QDir().mkpath(server->dataDir() + "/files/workPlan"));
    QVERIFY(picture.save(server->dataDir() + "/files/workPlan/p.png"));
    desk.pick("pictured", "显示图片");
    QDialog *viewer = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->inherits("ShowNoteImageDialog") && w->isVisible())
            viewer = qobject_cast<QDialog *>(w);
    }
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("pictured"));
    QTRY_COMPARE(viewer->size(), QSize(48, 32));
    viewer->close();

    ModalAnswerer answerer;
    answerer.box("删除提示", "确定要删除吗？删除后无法恢复", "取消");
    desk.pick("plain", "删除此行");
    ANSWERED(answerer);
    QVERIFY(!stored("plain").isEmpty());
    QCOMPARE(desk.model()->rowCount(), 2);

    answerer.box("删除提示", "确定要删除吗？删除后无法恢复", "确认");
    desk.pick("plain", "删除此行");
    ANSWERED(answerer);
    QVERIFY(stored("plain").isEmpty());
    QCOMPARE(desk.outline(), QStringList{"日计划 pictured"});
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 1 条，已全部显示在页面中；    "));

    // Deleting the last plan leaves an empty tree and a total of 0.
    answerer.box("删除提示", QString(), "确认");
    desk.pick("pictured", "删除此行");
    ANSWERED(answerer);
    QCOMPARE(desk.model()->rowCount(), 0);
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 0 条，已全部显示在页面中；    "));
}

void TestWorkPlanActions::duePlansViewedAndDeleted()
{
    const QString today = QDate::currentDate().toString("yyyy-MM-dd");
    const QJsonObject due{{"isRemind", "开启"}, {"remindDate", today}};
    QVERIFY(seed(with(plan("日计划", "due1", "2024-04-01", "2024-04-01"), due)));
    QVERIFY(seed(with(plan("日计划", "due2", "2024-04-02", "2024-04-02"), due)));
    QVERIFY(seed(plan("日计划", "quiet", "2024-04-03", "2024-04-03")));
    QVERIFY(seed(with(plan("日计划", "finished", "2024-04-04", "2024-04-04"), {{"isShow", "完成"}})));

    PlanDesk desk("u", 1);
    ModalAnswerer answerer;
    answerer.box("处理计划提示", "条计划需要处理", "不查看");
    desk.open();
    ANSWERED(answerer);
    QCOMPARE(desk.outline(), (QStringList{"日计划 quiet", "日计划 due2", "日计划 due1"}));

    answerer.box("处理计划提示", "条计划需要处理", "查看");
    desk.open();
    ANSWERED(answerer);
    QVERIFY(answerer.seen().join('\n').contains("<span style='color:red'>2</span>"));
    QCOMPARE(desk.outline(), (QStringList{"日计划 due2", "日计划 due1"}));
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 2 条，已全部显示在页面中；    "));

    // A deletion in the due view shows the due plans that are left.
    answerer.box("删除提示", QString(), "确认");
    desk.pick("due2", "删除此行");
    ANSWERED(answerer);
    QCOMPARE(desk.outline(), QStringList{"日计划 due1"});
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 1 条，已全部显示在页面中；    "));

    // A dashboard query leaves the due view; the next deletion reloads the query.
    desk.query(" and isShow ='正常'");
    QCOMPARE(desk.outline(), (QStringList{"日计划 quiet", "日计划 due1"}));
    answerer.box("删除提示", QString(), "确认");
    desk.pick("due1", "删除此行");
    ANSWERED(answerer);
    QCOMPARE(desk.outline(), QStringList{"日计划 quiet"});

    // The dashboard hands the user over again (password or profile dialog):
    // the window keeps listing its query.
    desk.window.receiveUser(desk.user, 1);
    desk.window.findAll();
    QCOMPARE(desk.outline(), QStringList{"日计划 quiet"});
}

void TestWorkPlanActions::backupWritesTheTreeInOrder()
{
    QVERIFY(seedYear());
    QVERIFY(seed(with(plan("季度计划", "Q3", "2024-07-01", "2024-09-30", "工作", 3),
                      {{"completionStatus", 66.67}, {"score", 120}, {"comment", "备注"}})));
    const QStringList labels{"计划类型", "任务状态", "标签",       "编号",     "标题",     "具体目标", "获得利益",
                             "开始日期", "结束日期", "策略方法",   "可测量指标", "行动计划", "需要的资源", "遇到的困难",
                             "完成状况", "评分",     "审核人",     "添加日期", "修改日期", "提醒开关", "提醒方式",
                             "提醒主体", "提醒频率", "提醒日期",   "前置天数", "图片",     "备注"};
    QTemporaryDir dir;
    for (const int grade : {1, 5}) {
        PlanDesk desk(grade > 4 ? "root" : "u", grade);
        desk.query(grade > 4 ? " and loginName ='u'" : QString());
        const QString path = dir.filePath(QStringLiteral("plans%1.xlsx").arg(grade));
        ModalAnswerer answerer;
        WorkbookFile::choose(answerer, path);
        answerer.box("备份提示", "备份成功,请到保存的位置查看！", "知道了");
        desk.action("copyAction")->trigger();
        ANSWERED(answerer);

        const QJsonArray rows = WorkbookFile::rows(path);
        QCOMPARE(rows.size(), 14);
        // The labels name 27 columns, and the owner's for an administrator; the
        // rows carry every column of the tree, the id last.
        QStringList header;
        for (const QJsonValue &v : rows.at(0).toArray()) {
            if (!v.isNull())
                header << v.toString();
        }
        QCOMPARE(header, grade > 4 ? labels + QStringList{"用户名"} : labels);
        QStringList order;
        for (int r = 1; r < rows.size(); ++r)
            order << rows.at(r).toArray().at(TitleColumn).toString();
        // Q2 and Q3 fit both years ("工作-学习" holds "工作") and stand under each.
        QCOMPARE(order,
                 (QStringList{"Y1", "Q1", "Q2", "M4", "W1", "D2", "Q3", "Y2", "Q2", "M4", "W1", "D2", "Q3"}));
        const QJsonArray q3 = rows.at(7).toArray();
        QCOMPARE(q3.size(), 29);
        QCOMPARE(q3.at(0).toString(), QStringLiteral("季度计划"));
        QCOMPARE(q3.at(14).toString(), QStringLiteral("67%"));
        QCOMPARE(q3.at(15).toString(), QStringLiteral("120"));
        QCOMPARE(q3.at(26).toString(), QStringLiteral("备注"));
        QCOMPARE(q3.at(27).toString(), QStringLiteral("u"));
        QCOMPARE(q3.at(IdColumn).toString(), QString::number(stored("Q3").value("id").toInt()));
    }
}

void TestWorkPlanActions::backupOfEveryPlanAndItsRefusals()
{
    for (int i = 1; i <= 3; ++i)
        QVERIFY(seed(plan("日计划", QStringLiteral("d%1").arg(i), "2024-04-01", "2024-04-01", "工作", i)));
    PlanDesk desk("u", 1);
    desk.query(QString(), 2); // a search of two plans a page
    QCOMPARE(desk.model()->rowCount(), 2);

    QTemporaryDir dir;
    const QString path = dir.filePath("all.xlsx");
    ModalAnswerer answerer;
    answerer.box("备份", "总计划数量大于当前显示的计划数量", "全部导出");
    WorkbookFile::choose(answerer, path);
    answerer.box("备份提示", "备份成功", "知道了");
    desk.action("copyAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(WorkbookFile::rows(path).size(), 4);
    QCOMPARE(desk.outline(), (QStringList{"日计划 d1", "日计划 d2", "日计划 d3"}));

    // Every plan is shown now: no question. A workbook open in Excel (its
    // "~$" lock file beside it) is not written.
    const QString open = dir.filePath("open.xlsx");
    QFile lock(dir.filePath("~$open.xlsx"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.close();
    WorkbookFile::choose(answerer, open);
    answerer.box("备份提示", "文件属性为只读,请检查文件是否已打开!", "知道了");
    desk.action("copyAction")->trigger();
    ANSWERED(answerer);
    QVERIFY(!QFile::exists(open));

    // "取消操作" and a cancelled file choice write nothing; an empty tree says so.
    desk.query(QString(), 2);
    answerer.box("备份", QString(), "取消操作");
    desk.action("copyAction")->trigger();
    answerer.box("备份", QString(), "导出当前");
    answerer.dialog("QFileDialog", [](QWidget *w) { QMetaObject::invokeMethod(w, "reject"); });
    desk.action("copyAction")->trigger();
    ANSWERED(answerer);
    desk.query(" and title = 'none'");
    answerer.box("备份提示", "没有找到导出的数据", "知道了");
    desk.action("copyAction")->trigger();
    ANSWERED(answerer);
}

void TestWorkPlanActions::contentViewerShowsThePlan()
{
    QVERIFY(seed(with(plan("月计划", "first", "2024-04-01", "2024-04-30"),
                      {{"target", "<p>完成<b>八成</b><a href='https://example.org/'>链接</a></p>"},
                       {"actionPlan", "1. 起草\n2. 审核"},
                       {"difficulty", "人手不足"}})));
    QVERIFY(seed(plan("月计划", "second", "2024-05-01", "2024-05-31")));
    PlanDesk desk("u", 1);
    desk.open();
    desk.pick("first", "显示内容");
    auto *viewer = desk.window.findChild<QDialog *>("ShowPlanContentDialog");
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("月计划"));
    QCOMPARE(viewer->findChild<QLabel *>("label_title")->text(), QStringLiteral("first"));
    QCOMPARE(viewer->findChild<QLabel *>("label_startDate")->text(), QStringLiteral("2024-04-01"));
    QCOMPARE(viewer->findChild<QLabel *>("label_endDate")->text(), QStringLiteral("2024-04-30"));
    auto *target = viewer->findChild<QTextBrowser *>("textBrowser_target");
    QCOMPARE(target->toPlainText(), QStringLiteral("完成八成链接")); // the HTML is shown formatted
    QTextCursor bold(target->document());
    bold.setPosition(3);
    QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(viewer->findChild<QTextBrowser *>("textBrowser_actionPlan")->toPlainText(),
             QStringLiteral("1. 起草\n2. 审核"));
    // A click on the link stays on the plan.
    QVERIFY(!target->openLinks());
    QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, target->cursorRect(bold).center());
    QCOMPARE(target->toPlainText(), QStringLiteral("完成八成链接"));

    // The same viewer shows the next plan, nothing of the first left.
    desk.pick("second", "显示内容");
    QCOMPARE(desk.window.findChildren<QDialog *>("ShowPlanContentDialog").size(), 1);
    QCOMPARE(viewer->findChild<QLabel *>("label_title")->text(), QStringLiteral("second"));
    QVERIFY(target->toPlainText().isEmpty());
    QVERIFY(viewer->findChild<QTextBrowser *>("textBrowser_difficulty")->toPlainText().isEmpty());
}

QTEST_MAIN(TestWorkPlanActions)
#include "tst_workplanactions.moc"
