// The work-plan search against the real server, opened from the window's
// find action and filled in as a person would: every criterion finds its
// plan, ranges, the quick search, "查询全部", clear, and the refusals.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include <functional>

#include "modalanswerer.h"
#include "plantesting.h"

using namespace PlanTesting;

namespace {

using Fill = std::function<void(QWidget *dialog)>;

void click(QWidget *dialog, const char *name)
{
    widget<QAbstractButton>(dialog, name)->click();
}

// Ticks a row's switch and fills its value.
Fill text(const char *row, const char *edit, const QString &value)
{
    return [=](QWidget *d) {
        click(d, row);
        widget<QLineEdit>(d, edit)->setText(value);
    };
}

Fill item(const char *row, const char *combo, const QString &value)
{
    return [=](QWidget *d) {
        click(d, row);
        choose(d, combo, value);
    };
}

Fill dates(const char *row, const char *op, const QString &opText, const char *first, const QDate &from,
           const char *second = nullptr, const QDate &to = QDate())
{
    return [=](QWidget *d) {
        click(d, row);
        choose(d, op, opText);
        widget<QDateEdit>(d, first)->setDate(from);
        if (second)
            widget<QDateEdit>(d, second)->setDate(to);
    };
}

Fill numbers(const char *row, const char *op, const QString &opText, const char *first, int from,
             const char *second = nullptr, int to = 0)
{
    return [=](QWidget *d) {
        click(d, row);
        choose(d, op, opText);
        widget<QSpinBox>(d, first)->setValue(from);
        if (second)
            widget<QSpinBox>(d, second)->setValue(to);
    };
}

struct Criterion {
    QJsonObject hit;  // what the plan to be found holds
    QJsonObject miss; // what the other plan holds
    Fill fill;
};

QMap<QString, Criterion> criteria()
{
    const QDate may(2024, 5, 1);
    QMap<QString, Criterion> c;
    c["mold"] = {{{"mold", "周计划"}}, {}, item("checkBox_mold", "comboBox_mold", "周计划")};
    c["isShow"] = {{{"isShow", "完成"}}, {}, item("checkBox_isShow", "comboBox_isShow", "完成")};
    c["tag"] = {{{"tag", "读书"}}, {{"tag", "健身"}}, item("checkBox_tag", "comboBox_tag", "读书")};
    c["title"] = {{}, {}, text("checkBox_title", "lineEdit_title", "hi")};
    for (const char *field : {"target", "gainProfit", "strategy", "measurableIndicator", "actionPlan",
                              "needResources", "difficulty", "auditor", "remindMethodBody", "comment"}) {
        const QByteArray row = "checkBox_" + QByteArray(field);
        const QByteArray edit = "lineEdit_" + QByteArray(field);
        c[field] = {{{field, "甲乙'丙"}}, {{field, "丁"}}, text(qstrdup(row), qstrdup(edit), "乙'")};
    }
    c["startDate 介于"] = {{{"startDate", "2024-05-01"}, {"endDate", "2024-05-01"}}, {},
                          dates("checkBox_startDate", "comboBox_startDate", "介于", "dateEdit_startDate1",
                                QDate(2024, 4, 15), "dateEdit_startDate2", QDate(2024, 5, 15))};
    c["endDate <"] = {{{"startDate", "2024-02-01"}, {"endDate", "2024-02-01"}}, {},
                      dates("checkBox_endDate", "comboBox_endDate", "<", "dateEdit_endDate1", QDate(2024, 3, 1))};
    c["completionStatus 介于"] = {{{"completionStatus", 66.67}}, {{"completionStatus", 70.5}},
                                numbers("checkBox_completionStatus", "comboBox_completionStatus1", "介于",
                                        "spinBox_completionStatus1", 60, "spinBox_completionStatus2", 70)};
    c["completionStatus >"] = {{{"completionStatus", 66.67}}, {{"completionStatus", 10}},
                               numbers("checkBox_completionStatus", "comboBox_completionStatus1", ">",
                                       "spinBox_completionStatus1", 50)};
    c["score 介于"] = {{{"score", 95}}, {{"score", 5}},
                      numbers("checkBox_score", "comboBox_score", "介于", "spinBox_score1", 90, "spinBox_score2", 99)};
    c["score ="] = {{{"score", 99}}, {{"score", 98}}, numbers("checkBox_score", "comboBox_score", "=", "spinBox_score1", 99)};
    c["registerDate ="] = {{{"registerDate", "2024-05-01 10:00:00"}}, {},
                           dates("checkBox_registerDate", "comboBox_registerDate", "=", "dateEdit_registerDate1", may)};
    c["updateDate !="] = {{{"updateDate", "2024-05-01 10:00:00"}}, {},
                          dates("checkBox_updateDate", "comboBox_updateDate", "!=", "dateEdit_updateDate1",
                                QDate(2024, 3, 1))};
    c["isRemind"] = {{{"isRemind", "开启"}}, {}, item("checkBox_isRemind", "comboBox_isRemind", "开启")};
    c["remindMethod 邮件"] = {{{"remindMethod", "邮件"}}, {}, item("checkBox_remindMethod", "comboBox_remindMethod", "邮件")};
    c["remindMethod 无"] = {{}, {{"remindMethod", "邮件"}}, item("checkBox_remindMethod", "comboBox_remindMethod", "无")};
    c["remindFrequency 无邮件提醒"] = {{}, {{"remindFrequency", "每日邮件提醒"}},
                                   item("checkBox_remindFrequency", "comboBox_remindFrequency", "无邮件提醒")};
    c["remindFrequency 每周"] = {{{"remindFrequency", "每周邮件提醒"}}, {},
                               item("checkBox_remindFrequency", "comboBox_remindFrequency", "每周邮件提醒")};
    c["remindDate >="] = {{{"remindDate", "2024-06-01"}}, {{"remindDate", "2024-01-01"}},
                          dates("checkBox_remindDate", "comboBox_remindDate", ">=", "dateEdit_remindDate1", may)};
    c["remindDateNumber >"] = {{{"remindDate", "2024-06-01"}, {"remindDateNumber", 5}},
                               {{"remindDate", "2024-06-01"}, {"remindDateNumber", 1}}, [](QWidget *d) {
                                   click(d, "checkBox_remindDateNumber");
                                   choose(d, "comboBox_remindDateNumber", ">");
                                   QLineEdit *days = widget<QLineEdit>(d, "lineEdit_remindDateNumber1");
                                   days->clear();
                                   QTest::keyClicks(days, "3");
                               }};
    c["image 有图"] = {{{"image", "x.png"}}, {}, item("checkBox_image", "comboBox_image", "有图")};
    c["image 无图"] = {{}, {{"image", "x.png"}}, item("checkBox_image", "comboBox_image", "无图")};
    c["loginName"] = {{{"loginName", "owner-a"}}, {{"loginName", "owner-b"}},
                      text("checkBox_loginName", "lineEdit_loginName", "r-a")};
    return c;
}

} // namespace

class TestWorkPlanSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void everyCriterionFindsItsPlan_data();
    void everyCriterionFindsItsPlan();
    void openingStateAndOwnerRow();
    void quickSearchFindAllAndClear();
    void refusals();

private:
    // Runs the window's find action; `use` works the open dialog, which it closes.
    void search(PlanDesk &desk, const std::function<void(QWidget *)> &use);
    ServerProcess server;
};

void TestWorkPlanSearch::initTestCase()
{
    QVERIFY(server.start());
    // Each criterion's two plans belong to a user of their own, whose window
    // lists nobody else's plans; all of them go to the server in one request.
    QJsonArray plans;
    const QStringList names = criteria().keys();
    for (int i = 0; i < names.size(); ++i) {
        const Criterion c = criteria().value(names.at(i));
        const QString owner = QStringLiteral("c%1").arg(i);
        plans << with(plan("日计划", "hit", "2024-04-01", "2024-04-01", "读书", 0, owner), c.hit)
              << with(plan("日计划", "miss", "2024-04-01", "2024-04-01", "读书", 0, owner), c.miss);
    }
    const QJsonObject request{{"dList", plans}};
    QCOMPARE(ServerProcess::call("workPlan", "add", request).value("flag").toInt(), 1);
}

void TestWorkPlanSearch::init()
{
    // Each form connects its slots by name: none may be left without its signal.
    QTest::failOnWarning(QRegularExpression("No matching signal"));
    QTest::failOnWarning(QRegularExpression("^no widget"));
}

void TestWorkPlanSearch::search(PlanDesk &desk, const std::function<void(QWidget *)> &use)
{
    ModalAnswerer answerer;
    answerer.dialog("WorkPlanSearchDialog", use);
    desk.action("findAction")->trigger();
    ANSWERED(answerer);
}

void TestWorkPlanSearch::everyCriterionFindsItsPlan_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("owner");
    const QStringList names = criteria().keys();
    for (int i = 0; i < names.size(); ++i)
        QTest::newRow(qPrintable(names.at(i))) << names.at(i) << QStringLiteral("c%1").arg(i);
}

void TestWorkPlanSearch::everyCriterionFindsItsPlan()
{
    QFETCH(QString, name);
    QFETCH(QString, owner);
    const Criterion criterion = criteria().value(name);
    // The owner search is an administrator's, who sees every user's plans.
    const bool byOwner = criterion.miss.contains("loginName");
    PlanDesk desk(byOwner ? QStringLiteral("root") : owner, byOwner ? 5 : 1);
    desk.query(byOwner ? " and loginName like 'owner-%'" : " and 1=1 ");
    QCOMPARE(desk.status(), QStringLiteral("当前总计划数量为 2 条，已全部显示在页面中；    "));
    QStringList found;
    search(desk, [&](QWidget *dialog) {
        criterion.fill(dialog);
        click(dialog, "pushButton_confirm");
        found = desk.outline();
        click(dialog, "pushButton_cancel");
    });
    const QString mold = criterion.hit.value("mold").toString(QStringLiteral("日计划"));
    QCOMPARE(found, QStringList{mold + " hit"});
}

void TestWorkPlanSearch::openingStateAndOwnerRow()
{
    QVERIFY(seed(plan("日计划", "a", "2024-04-01", "2024-04-01", "读书")));
    QVERIFY(seed(plan("日计划", "b", "2024-04-01", "2024-04-01", "健身")));
    QVERIFY(seed(plan("日计划", "c", "2024-04-01", "2024-04-01", "读书-工作")));
    QVERIFY(seed(with(plan("日计划", "done", "2024-04-01", "2024-04-01", "旧"), {{"isShow", "完成"}})));
    QVERIFY(seed(plan("日计划", "other's", "2024-04-01", "2024-04-01", "别人", 0, "v")));
    // (the user "u" owns these plans alone)
    for (const int grade : {4, 5}) {
        PlanDesk desk("u", grade);
        desk.open();
        search(desk, [&](QWidget *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("工作计划组合查询"));
            const QList<QPair<const char *, const char *>> texts{
                {"label_22", "计划类型查找"}, {"label_18", "计划状态查找"}, {"label_23", "标签查找"},
                {"label_24", "目标查找"}, {"label_11", "获得利益查找"}, {"label_30", "策略方法查找"},
                {"label_31", "可测量指标"}, {"label_33", "行动计划查找"}, {"label_32", "需要的资源"},
                {"label_36", "遇到的困难"}, {"label_29", "开始日期查找"}, {"label_28", "结束日期查找"},
                {"label_12", "添加日期查找"}, {"label_14", "修改日期查找"}, {"label_20", "完成状况查找"},
                {"label_10", "审核人查找"}, {"label_34", "评分查找"}, {"label_16", "提醒开关查找"},
                {"label_17", "提醒方式查找"}, {"label_21", "提醒频率查找"}, {"label_7", "邮箱查找"},
                {"label_13", "提醒日期查找"}, {"label_15", "前置天数查找"}, {"label_3", "备注查找"},
                {"label_4", "登录用户查找"}, {"label_19", "图片查找"}, {"label_6", "主题查询"},
                {"label_8", "每页显示"}, {"label_9", "个"}, {"label_completionStatus", "至"},
                {"label_score2", "至"}, {"label_remindDateNumber", "至"}, {"pushButton_find", "查找"},
                {"pushButton_findAll", "查询全部"}, {"pushButton_cancel", "取  消"}, {"pushButton_clear", "清  空"},
                {"pushButton_confirm", "确   认"}, {"checkBox_3", "开启图标"}, {"checkBox_2", "关闭图标"}};
            for (const auto &[name, text] : texts) {
                QWidget *w = widget<QWidget>(d, name);
                QCOMPARE(w->property("text").toString(), QString::fromUtf8(text));
            }
            QCOMPARE(d->findChildren<QCheckBox *>(QRegularExpression("^checkBox_[a-zA-Z]")).size(), 27);
            QCOMPARE(widget<QPushButton>(d, "pushButton_confirm")->shortcut(), QKeySequence("Return"));
            QVERIFY(d->findChild<QLayout *>("horizontalLayout_loginName"));
            QVERIFY(d->styleSheet().contains("width:64px") && d->styleSheet().contains("checkbox-on.png"));
            QCOMPARE(widget<QLineEdit>(d, "lineEdit_pageSize")->text(), QStringLiteral("1000"));
            for (QCheckBox *box : d->findChildren<QCheckBox *>()) {
                if (box->objectName() != "checkBox_3")
                    QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
            }
            for (const char *op : {"comboBox_startDate", "comboBox_endDate", "comboBox_registerDate",
                                   "comboBox_updateDate", "comboBox_remindDate", "comboBox_completionStatus1",
                                   "comboBox_score", "comboBox_remindDateNumber"})
                QCOMPARE(widget<QComboBox>(d, op)->currentText(), QStringLiteral(">"));
            for (const char *second : {"dateEdit_startDate2", "dateEdit_endDate2", "dateEdit_registerDate2",
                                       "dateEdit_updateDate2", "dateEdit_remindDate2", "spinBox_completionStatus2",
                                       "label_completionStatus", "spinBox_score2", "label_score2",
                                       "lineEdit_remindDateNumber2", "label_remindDateNumber"})
                QVERIFY2(!widget<QWidget>(d, second)->isVisible(), second);
            for (QDateEdit *date : d->findChildren<QDateEdit *>())
                QCOMPARE(date->date(), QDate::currentDate());
            QCOMPARE(widget<QLineEdit>(d, "lineEdit_remindDateNumber1")->text(), QStringLiteral("0"));
            QCOMPARE(widget<QSpinBox>(d, "spinBox_score1")->maximum(), 99);
            QCOMPARE(widget<QSpinBox>(d, "spinBox_score1")->text(), QStringLiteral("0分"));
            QCOMPARE(widget<QSpinBox>(d, "spinBox_completionStatus2")->maximum(), 100);
            // The tags of the user's normal plans, as the server keeps them.
            QComboBox *tags = widget<QComboBox>(d, "comboBox_tag");
            QCOMPARE(tags->count(), 4);
            QCOMPARE(QStringList({tags->itemText(0), tags->itemText(1), tags->itemText(2), tags->itemText(3)}),
                     (QStringList{"读书", "健身", "读书", "工作"}));
            // The owner row only for administrators.
            for (const char *owner : {"checkBox_loginName", "label_4", "lineEdit_loginName"})
                QCOMPARE(widget<QWidget>(d, owner)->isVisible(), grade > 4);
            // "介于" shows a row's second value, another operator hides it again.
            choose(d, "comboBox_score", "介于");
            QVERIFY(widget<QWidget>(d, "spinBox_score2")->isVisible());
            QVERIFY(widget<QWidget>(d, "label_score2")->isVisible());
            choose(d, "comboBox_score", "<=");
            QVERIFY(!widget<QWidget>(d, "spinBox_score2")->isVisible());
            click(d, "pushButton_cancel");
        });
    }
}

void TestWorkPlanSearch::quickSearchFindAllAndClear()
{
    const QString q = QStringLiteral("q");
    QVERIFY(seed(plan("日计划", "alpha", "2024-04-01", "2024-04-01", "工作", 0, q)));
    QVERIFY(seed(plan("日计划", "beta", "2024-04-02", "2024-04-02", "工作", 0, q)));
    QVERIFY(seed(with(plan("日计划", "alpha done", "2024-04-03", "2024-04-03", "工作", 0, q), {{"isShow", "完成"}})));
    PlanDesk desk(q, 1);
    desk.open();
    QCOMPARE(desk.model()->rowCount(), 2);
    search(desk, [&](QWidget *d) {
        // "查找" lists the title alone, whatever else is ticked, and ticks its switch.
        click(d, "checkBox_isShow");
        widget<QLineEdit>(d, "lineEdit_title")->setText("alpha");
        click(d, "pushButton_find");
        QVERIFY(widget<QCheckBox>(d, "checkBox_title")->isChecked());
        QCOMPARE(desk.outline(), (QStringList{"日计划 alpha done", "日计划 alpha"}));
        // "确   认" then combines the title with the ticked state; the dialog stays.
        click(d, "pushButton_confirm");
        QCOMPARE(desk.outline(), QStringList{"日计划 alpha"});
        QVERIFY(d->isVisible());
        // A page size of its own reaches the window.
        widget<QLineEdit>(d, "lineEdit_pageSize")->setText("1");
        click(d, "pushButton_find");
        QCOMPARE(desk.outline(), QStringList{"日计划 alpha done"});
        QCOMPARE(desk.window.findChild<QComboBox *>("comboBox_pageNumber")->count(), 2);

        // "清  空" unticks and resets every row and keeps the page size.
        choose(d, "comboBox_completionStatus1", "介于");
        widget<QSpinBox>(d, "spinBox_completionStatus2")->setValue(5);
        widget<QLineEdit>(d, "lineEdit_remindDateNumber2")->setText("9");
        widget<QDateEdit>(d, "dateEdit_endDate1")->setDate(QDate(2020, 1, 1));
        click(d, "checkBox_auditor");
        widget<QLineEdit>(d, "lineEdit_auditor")->setText("x");
        click(d, "pushButton_clear");
        for (QCheckBox *box : d->findChildren<QCheckBox *>()) {
            if (box->objectName() != "checkBox_3")
                QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        }
        QVERIFY(widget<QLineEdit>(d, "lineEdit_title")->text().isEmpty());
        QVERIFY(widget<QLineEdit>(d, "lineEdit_auditor")->text().isEmpty());
        QCOMPARE(widget<QComboBox>(d, "comboBox_completionStatus1")->currentText(), QStringLiteral(">"));
        QVERIFY(!widget<QWidget>(d, "spinBox_completionStatus2")->isVisible());
        QCOMPARE(widget<QSpinBox>(d, "spinBox_completionStatus2")->value(), 0);
        QCOMPARE(widget<QLineEdit>(d, "lineEdit_remindDateNumber2")->text(), QStringLiteral("0"));
        QCOMPARE(widget<QDateEdit>(d, "dateEdit_endDate1")->date(), QDate::currentDate());
        QCOMPARE(widget<QLineEdit>(d, "lineEdit_pageSize")->text(), QStringLiteral("1"));

        // "查询全部" lists every plan and closes the dialog.
        widget<QLineEdit>(d, "lineEdit_pageSize")->setText("30");
        click(d, "pushButton_findAll");
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(desk.outline(), (QStringList{"日计划 alpha done", "日计划 beta", "日计划 alpha"}));
}

void TestWorkPlanSearch::refusals()
{
    QVERIFY(seed(plan("日计划", "one", "2024-04-01", "2024-04-01", "工作", 0, "r")));
    QVERIFY(seed(plan("日计划", "two", "2024-04-02", "2024-04-02", "工作", 0, "r")));
    PlanDesk desk("r", 1);
    desk.query(" and title = 'one'");
    search(desk, [&](QWidget *d) {
        ModalAnswerer boxes;
        // Nothing ticked (or a ticked text row left empty): no search.
        boxes.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
        click(d, "pushButton_confirm");
        click(d, "checkBox_target");
        boxes.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
        click(d, "pushButton_confirm");
        // A ticked days row whose field was emptied is refused, not sent.
        click(d, "checkBox_remindDateNumber");
        widget<QLineEdit>(d, "lineEdit_remindDateNumber1")->clear();
        boxes.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
        click(d, "pushButton_confirm");
        // "查找" without a title.
        boxes.box("查询异常提示", "请填写查询内容", "知道了");
        click(d, "pushButton_find");
        QVERIFY(!widget<QCheckBox>(d, "checkBox_title")->isChecked());
        // A condition without a page size.
        QTest::keyClicks(widget<QLineEdit>(d, "lineEdit_remindDateNumber1"), "0");
        widget<QLineEdit>(d, "lineEdit_pageSize")->clear();
        boxes.box("提示信息", "每页显示个数不能为空", "知道了");
        click(d, "pushButton_confirm");
        boxes.box("提示", "每页显示个数不能为空", "OK");
        click(d, "pushButton_findAll");
        ANSWERED(boxes);
        QCOMPARE(desk.outline(), QStringList{"日计划 one"});
        QVERIFY(d->isVisible());
        // A page size below 1 cannot be typed.
        QTest::keyClicks(widget<QLineEdit>(d, "lineEdit_pageSize"), "-0");
        QVERIFY(widget<QLineEdit>(d, "lineEdit_pageSize")->text().isEmpty());
        click(d, "pushButton_cancel");
    });
    QCOMPARE(desk.outline(), QStringList{"日计划 one"});
}

QTEST_MAIN(TestWorkPlanSearch)
#include "tst_workplansearch.moc"
