// Adding and changing work plans from the window against the real server,
// filled in as a person would: a plan of each kind with its end date, the
// user's tags offered, the checks in their order, and a change that keeps
// what the form cannot show.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "modalanswerer.h"
#include "plantesting.h"

using namespace PlanTesting;

namespace {

void confirm(QWidget *dialog)
{
    widget<QPushButton>(dialog, "PushButton_confirem")->click();
}

QStringList items(QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

class TestWorkPlanDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { server.reset(); }
    void addAPlanOfEachKind_data();
    void addAPlanOfEachKind();
    void theForm();
    void checksComeInTheirOrder();
    void changeKeepsWhatTheFormCannotShow();
    void changeInTheDueView();

private:
    // Runs `trigger`, which opens the dialog; `use` works it and closes it.
    static void withDialog(const std::function<void()> &trigger, const std::function<void(QWidget *)> &use);
    std::unique_ptr<ServerProcess> server;
};

void TestWorkPlanDialog::init()
{
    QTest::failOnWarning(QRegularExpression("No matching signal"));
    QTest::failOnWarning(QRegularExpression("^no widget"));
    server = std::make_unique<ServerProcess>(false);
    QVERIFY(server->start());
}

void TestWorkPlanDialog::withDialog(const std::function<void()> &trigger, const std::function<void(QWidget *)> &use)
{
    ModalAnswerer answerer;
    answerer.dialog("WorkPlanAddUpdateDialog", use);
    trigger();
    ANSWERED(answerer);
}

void TestWorkPlanDialog::addAPlanOfEachKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QDate>("end");
    // Started on 31 January 2024: a plan ends the day before the same date a
    // year, three months, a month or a week later; a day plan on its day.
    QTest::newRow("year") << "年度计划" << QDate(2025, 1, 30);
    QTest::newRow("quarter") << "季度计划" << QDate(2024, 4, 29);
    QTest::newRow("month") << "月计划" << QDate(2024, 2, 28);
    QTest::newRow("week") << "周计划" << QDate(2024, 2, 6);
    QTest::newRow("day") << "日计划" << QDate(2024, 1, 31);
    QTest::newRow("other") << "其它" << QDate::currentDate();
}

void TestWorkPlanDialog::addAPlanOfEachKind()
{
    QFETCH(QString, kind);
    QFETCH(QDate, end);
    QVERIFY(seed(plan("日计划", "reading", "2023-01-01", "2023-01-01", "读书")));
    QVERIFY(seed(plan("日计划", "sport", "2023-01-02", "2023-01-02", "健身")));
    QVERIFY(seed(with(plan("日计划", "done", "2023-01-03", "2023-01-03", "旧"), {{"isShow", "完成"}})));
    PlanDesk desk("u", 1);
    desk.open();
    withDialog([&] { desk.action("addAction")->trigger(); }, [&](QWidget *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("添加工作计划"));
        QCOMPARE(widget<QPushButton>(d, "PushButton_confirem")->text(), QStringLiteral("添   加"));
        QCOMPARE(items(widget<QComboBox>(d, "comboBox_tag")), (QStringList{"读书", "健身"}));
        choose(d, "comboBox_mold", kind);
        // The person types the start date, day by day from the 30th.
        QDateEdit *start = widget<QDateEdit>(d, "dateEdit_startDate");
        start->setDate(QDate(2024, 1, 30));
        start->setFocus();
        start->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClick(start, Qt::Key_Up);
        QCOMPARE(start->date(), QDate(2024, 1, 31));
        QCOMPARE(widget<QDateEdit>(d, "dateEdit_endDate")->date(), end);
        choose(d, "comboBox_tag", "健身");
        widget<QLineEdit>(d, "lineEdit_title")->setText("new " + kind);
        widget<QPlainTextEdit>(d, "textEdit_target")->setPlainText("<b>跑完</b>全程");
        widget<QLineEdit>(d, "lineEdit_completionStatus")->setText("75");
        confirm(d);
    });
    const QJsonObject stored = PlanTesting::stored("new " + kind);
    QVERIFY(!stored.isEmpty());
    QCOMPARE(stored["mold"].toString(), kind);
    QCOMPARE(stored["startDate"].toString(), QStringLiteral("2024-01-31"));
    QCOMPARE(stored["endDate"].toString(), end.toString("yyyy-MM-dd"));
    QCOMPARE(stored["tag"].toString(), QStringLiteral("健身"));
    QCOMPARE(stored["isShow"].toString(), QStringLiteral("正常"));
    QCOMPARE(stored["target"].toString(), QStringLiteral("<b>跑完</b>全程"));
    QCOMPARE(stored["completionStatus"].toDouble(), 75.0);
    QCOMPARE(stored["loginName"].toString(), QStringLiteral("u"));
    QCOMPARE(stored["isRemind"].toString(), QStringLiteral("关闭"));
    QVERIFY(stored["remindDate"].toString().isEmpty());
    QVERIFY(stored["remindFrequency"].toString().isEmpty());
    QVERIFY(stored["registerDate"].toString().startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
    // The window lists the user's normal plans, the new one among them.
    QVERIFY(desk.status().startsWith(QStringLiteral("当前总计划数量为 3 条")));
}

void TestWorkPlanDialog::theForm()
{
    QVERIFY(seed(plan("日计划", "p", "2024-04-01", "2024-04-01")));
    PlanDesk desk("u", 1);
    desk.open();
    for (const bool change : {false, true}) {
        withDialog([&] { change ? void(desk.pick("p", "修改此行")) : desk.action("addAction")->trigger(); },
                   [&](QWidget *d) {
            QVERIFY(d->windowState() & Qt::WindowMaximized);
            const QList<QPair<const char *, const char *>> labels{
                {"label", "是否开启提醒 (选填)"}, {"checkBox_remindMethod", "邮件提醒"}, {"label_2", "提醒频次 (选填)"},
                {"label_13", "提醒日期(选填)"}, {"label_7", "提前天数(选填)"}, {"label_3", "天"},
                {"label_4", "计划类型 (必填)"}, {"label_5", "任务状态 (必填)"}, {"label_8", "标 签 (必填)"},
                {"label_18", "开始日期(必填)"}, {"label_19", "结束日期(必填)"}, {"label_12", "编 号 (选填)"},
                {"label_22", "备注(选填)"}, {"label_10", "标题 (选填)"}, {"label_9", "具体目标 (选填)"},
                {"label_14", "获得利益 (选填)"}, {"label_15", "策略方法 (选填)"}, {"label_16", "可测量指标 (选填)"},
                {"label_17", "行动计划(选填)"}, {"label_20", "需要的资源(选填)"}, {"label_21", "遇到的困难 (选填)"},
                {"label_23", "完成状况(选填)"}, {"label_24", "%"}, {"label_25", "评 分 (选填)"},
                {"label_26", "考核人(选填)"}};
            for (const auto &[name, text] : labels)
                QCOMPARE(widget<QWidget>(d, name)->property("text").toString(), QString::fromUtf8(text));
            const QList<QPair<const char *, const char *>> placeholders{
                {"lineEdit_remindDateNumber", "输入提前天数"}, {"lineEdit_completionStatus", "输入百分比"},
                {"textEdit_target", "例如: 设备效率提升1%"}, {"textEdit_gainProfit", "例如: 个人年终奖增加5000元"},
                {"textEdit_needResources", "例如: 车间的人员不足需要人力资源部加大招聘力度"},
                {"textEdit_difficulty", "例如: 雨季带来的生锈问题,影响生产效率"},
                {"textEdit_measurableIndicator", "例如: 本次计划从开始的的效率统计到本次计划结束的效率统计,增加1%以上"}};
            for (const auto &[name, text] : placeholders)
                QCOMPARE(widget<QWidget>(d, name)->property("placeholderText").toString(), QString::fromUtf8(text));
            QVERIFY(widget<QWidget>(d, "textEdit_strategy")->property("placeholderText").toString().startsWith("例如: "));
            QVERIFY(widget<QFrame>(d, "frame") && widget<QFrame>(d, "frame_2"));
            QCOMPARE(d->windowTitle(), change ? QStringLiteral("更新工作计划") : QStringLiteral("添加工作计划"));
            auto *confirmButton = widget<QPushButton>(d, "PushButton_confirem");
            QCOMPARE(confirmButton->text(), change ? QStringLiteral("更   新") : QStringLiteral("添   加"));
            QCOMPARE(confirmButton->shortcut(), QKeySequence("Return"));
            QCOMPARE(widget<QPushButton>(d, "lPushButton_cancel")->text(), QStringLiteral("取   消"));
            QCOMPARE(items(widget<QComboBox>(d, "comboBox_mold")),
                     (QStringList{"年度计划", "季度计划", "月计划", "周计划", "日计划", "其它"}));
            QCOMPARE(items(widget<QComboBox>(d, "comboBox_isShow")), (QStringList{"正常", "完成", "放弃"}));
            QCOMPARE(items(widget<QComboBox>(d, "comboBox_isRemind")), (QStringList{"关闭", "开启"}));
            QVERIFY(!widget<QComboBox>(d, "comboBox_isShow")->isEditable());
            QVERIFY(widget<QComboBox>(d, "comboBox_tag")->isEditable());
            QCOMPARE(widget<QComboBox>(d, "comboBox_tag")->placeholderText(), QStringLiteral("同类计划标签相同"));
            // The editable combo shows it through its line edit.
            QCOMPARE(widget<QComboBox>(d, "comboBox_tag")->lineEdit()->placeholderText(), QStringLiteral("同类计划标签相同"));
            QCOMPARE(widget<QSpinBox>(d, "spinBox_serialNumber")->maximum(), 99);
            QCOMPARE(widget<QSpinBox>(d, "spinBox_score")->maximum(), 99);
            QCOMPARE(widget<QSpinBox>(d, "spinBox_score")->suffix(), QStringLiteral("分"));
            QCOMPARE(widget<QLineEdit>(d, "lineEdit_title")->placeholderText(),
                     QStringLiteral("例如: 设备效率提升;           标签可以使用<效率>作为标签,有关此标签下的的所有计划都会分为一类"));
            const QString steps = widget<QPlainTextEdit>(d, "textEdit_actionPlan")->placeholderText();
            QVERIFY(steps.startsWith(QStringLiteral("例如: ")));
            QCOMPARE(steps.count(QStringLiteral("负责人")), 7);
            QCOMPARE(widget<QPlainTextEdit>(d, "textEdit_comment")->placeholderText(), QStringLiteral("请输入备注信息!"));
            QCOMPARE(widget<QLineEdit>(d, "lineEdit_auditor")->placeholderText(), QStringLiteral("输入姓名"));
            QCOMPARE(widget<QDateEdit>(d, "dateEdit_remindDate")->displayFormat(), QStringLiteral("yyyy-MM-dd"));
            // The reminder is off: its widgets wait for "开启".
            for (const char *name : {"checkBox_remindMethod", "lineEdit_remindMethodBody", "comboBox_remindFrequency",
                                     "dateEdit_remindDate", "lineEdit_remindDateNumber"})
                QVERIFY2(!widget<QWidget>(d, name)->isEnabled(), name);
            choose(d, "comboBox_isRemind", "开启");
            QVERIFY(widget<QWidget>(d, "checkBox_remindMethod")->isEnabled());
            QVERIFY(widget<QWidget>(d, "dateEdit_remindDate")->isEnabled());
            QVERIFY(!widget<QWidget>(d, "lineEdit_remindMethodBody")->isEnabled());
            // Below grade 2 no e-mail reminder.
            ModalAnswerer boxes;
            boxes.box("提示信息", "只有高级用户才可以设置邮件提醒", "知道了");
            widget<QCheckBox>(d, "checkBox_remindMethod")->click();
            ANSWERED(boxes);
            QVERIFY(!widget<QCheckBox>(d, "checkBox_remindMethod")->isChecked());
            widget<QPushButton>(d, "lPushButton_cancel")->click();
        });
    }
    QCOMPARE(ServerProcess::rows("workPlan").size(), 1);
}

void TestWorkPlanDialog::checksComeInTheirOrder()
{
    PlanDesk desk("u", 2);
    desk.user.setEMail("u@mail.cn");
    desk.open();
    withDialog([&] { desk.action("addAction")->trigger(); }, [&](QWidget *d) {
        ModalAnswerer boxes;
        auto refused = [&](const QString &message) {
            boxes.box("提示信息", message, "知道了");
            confirm(d);
            ANSWERED(boxes);
        };
        refused("标签不能为空, 因为标签是识别同一类计划的标识!");
        choose(d, "comboBox_isRemind", "开启");
        widget<QDateEdit>(d, "dateEdit_remindDate")->setDate(QDate::currentDate().addDays(-1));
        refused("提醒日期必须大于或是等于今天");
        widget<QCheckBox>(d, "checkBox_remindMethod")->click(); // the user's own address comes in
        QCOMPARE(widget<QLineEdit>(d, "lineEdit_remindMethodBody")->text(), QStringLiteral("u@mail.cn"));
        QCOMPARE(widget<QComboBox>(d, "comboBox_remindFrequency")->currentText(), QStringLiteral("到前置期邮件提醒"));
        widget<QLineEdit>(d, "lineEdit_remindMethodBody")->clear();
        refused("既然选择了邮件提醒,请输入邮箱名称");
        widget<QLineEdit>(d, "lineEdit_remindMethodBody")->setText("u@mail");
        refused("请输入正确的邮箱");
        widget<QLineEdit>(d, "lineEdit_remindMethodBody")->setText("u@mail.cn");
        choose(d, "comboBox_remindFrequency", "无邮件提醒");
        refused("既然选择一个正确邮件提醒频率,至少是<到期邮件提醒>");
        choose(d, "comboBox_remindFrequency", "每周邮件提醒");
        refused("提醒日期必须大于或是等于今天");
        widget<QDateEdit>(d, "dateEdit_remindDate")->setDate(QDate::currentDate());
        refused("标签不能为空, 因为标签是识别同一类计划的标识!");
        QVERIFY(ServerProcess::rows("workPlan").isEmpty());
        // A new tag, typed.
        QTest::keyClicks(widget<QComboBox>(d, "comboBox_tag")->lineEdit(), "run");
        widget<QLineEdit>(d, "lineEdit_title")->setText("mailed");
        widget<QLineEdit>(d, "lineEdit_remindDateNumber")->setText("2");
        confirm(d);
    });
    const QJsonObject stored = PlanTesting::stored("mailed");
    QCOMPARE(stored["tag"].toString(), QStringLiteral("run"));
    QCOMPARE(stored["isRemind"].toString(), QStringLiteral("开启"));
    QCOMPARE(stored["remindMethod"].toString(), QStringLiteral("邮件"));
    QCOMPARE(stored["remindMethodBody"].toString(), QStringLiteral("u@mail.cn"));
    QCOMPARE(stored["remindFrequency"].toString(), QStringLiteral("每周邮件提醒"));
    QCOMPARE(stored["remindDate"].toString(), QDate::currentDate().toString("yyyy-MM-dd"));
    QCOMPARE(stored["remindDateNumber"].toInt(), 2);
}

void TestWorkPlanDialog::changeKeepsWhatTheFormCannotShow()
{
    QVERIFY(seed(with(plan("月计划", "P", "2024-04-01", "2024-04-30", "读书"),
                      {{"serialNumber", 150}, {"score", 120}, {"completionStatus", 66.67},
                       {"registerDate", "2024-03-01 10:00:00"}, {"target", "目标"}})));
    PlanDesk desk("u", 1);
    desk.open();
    withDialog([&] { desk.pick("P", "修改此行"); }, [&](QWidget *d) {
        QCOMPARE(widget<QSpinBox>(d, "spinBox_serialNumber")->value(), 99);
        QCOMPARE(widget<QSpinBox>(d, "spinBox_score")->value(), 99);
        QCOMPARE(widget<QLineEdit>(d, "lineEdit_completionStatus")->text(), QStringLiteral("67"));
        QCOMPARE(widget<QPlainTextEdit>(d, "textEdit_target")->toPlainText(), QStringLiteral("目标"));
        QCOMPARE(widget<QComboBox>(d, "comboBox_mold")->currentText(), QStringLiteral("月计划"));
        // A changed start date leaves the end date of a stored plan alone.
        widget<QDateEdit>(d, "dateEdit_startDate")->setDate(QDate(2024, 4, 2));
        QCOMPARE(widget<QDateEdit>(d, "dateEdit_endDate")->date(), QDate(2024, 4, 30));
        widget<QLineEdit>(d, "lineEdit_title")->setText("P2");
        confirm(d);
    });
    QJsonObject stored = PlanTesting::stored("P2");
    QCOMPARE(stored["serialNumber"].toInt(), 150);
    QCOMPARE(stored["score"].toInt(), 120);
    QCOMPARE(stored["completionStatus"].toDouble(), 66.67);
    QCOMPARE(stored["startDate"].toString(), QStringLiteral("2024-04-02"));
    QCOMPARE(stored["endDate"].toString(), QStringLiteral("2024-04-30"));
    QCOMPARE(stored["registerDate"].toString(), QStringLiteral("2024-03-01 10:00:00"));
    QVERIFY(stored["updateDate"].toString().startsWith(QDate::currentDate().toString("yyyy-MM-dd")));
    QCOMPARE(desk.outline(), QStringList{"月计划 P2"});

    // Changed fields are written as the form shows them.
    withDialog([&] { desk.pick("P2", "修改此行"); }, [&](QWidget *d) {
        widget<QSpinBox>(d, "spinBox_score")->setValue(50);
        widget<QLineEdit>(d, "lineEdit_completionStatus")->setText("75");
        confirm(d);
    });
    stored = PlanTesting::stored("P2");
    QCOMPARE(stored["score"].toInt(), 50);
    QCOMPARE(stored["completionStatus"].toDouble(), 75.0);
    QCOMPARE(stored["serialNumber"].toInt(), 150);

    // A change the server refuses stays in the dialog; cancelled, it never
    // reaches the plan the window shows.
    const int id = stored["id"].toInt();
    withDialog([&] { desk.pick("P2", "修改此行"); }, [&](QWidget *d) {
        const QJsonObject gone{{"dList", QJsonArray{QJsonObject{{"id", id}}}}};
        QCOMPARE(ServerProcess::call("workPlan", "delete", gone).value("flag").toInt(), 1);
        widget<QLineEdit>(d, "lineEdit_title")->setText("P3");
        ModalAnswerer boxes;
        boxes.box("提示信息", QString(), "知道了");
        confirm(d);
        ANSWERED(boxes);
        QVERIFY(d->isVisible());
        widget<QPushButton>(d, "lPushButton_cancel")->click();
    });
    desk.pick("P2", "显示内容");
    QCOMPARE(desk.window.findChild<QLabel *>("label_title")->text(), QStringLiteral("P2"));
}

void TestWorkPlanDialog::changeInTheDueView()
{
    const QJsonObject due{{"isRemind", "开启"}, {"remindDate", QDate::currentDate().toString("yyyy-MM-dd")}};
    QVERIFY(seed(with(plan("日计划", "due1", "2024-04-01", "2024-04-01"), due)));
    QVERIFY(seed(with(plan("日计划", "due2", "2024-04-02", "2024-04-02"), due)));
    QVERIFY(seed(plan("日计划", "quiet", "2024-04-03", "2024-04-03")));
    PlanDesk desk("u", 1);
    {
        ModalAnswerer answerer;
        answerer.box("处理计划提示", "条计划需要处理", "查看");
        desk.open();
        ANSWERED(answerer);
    }
    QCOMPARE(desk.outline(), (QStringList{"日计划 due2", "日计划 due1"}));
    // Switched off, the plan is no longer due: the due view shows the other.
    withDialog([&] { desk.pick("due2", "修改此行"); }, [&](QWidget *d) {
        QCOMPARE(widget<QComboBox>(d, "comboBox_isRemind")->currentText(), QStringLiteral("开启"));
        choose(d, "comboBox_isRemind", "关闭");
        confirm(d);
    });
    QCOMPARE(desk.outline(), QStringList{"日计划 due1"});
    QCOMPARE(PlanTesting::stored("due2")["isRemind"].toString(), QStringLiteral("关闭"));
    // An added plan leaves the due view for the user's normal plans.
    withDialog([&] { desk.action("addAction")->trigger(); }, [&](QWidget *d) {
        widget<QComboBox>(d, "comboBox_tag")->setCurrentText("工作");
        choose(d, "comboBox_mold", "其它");
        widget<QLineEdit>(d, "lineEdit_title")->setText("added");
        confirm(d);
    });
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 4 条，已全部显示在页面中；    "));
}

QTEST_MAIN(TestWorkPlanDialog)
#include "tst_workplandialog.moc"
