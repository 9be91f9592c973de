// The reminder window against the real server over loopback, used as a person
// would: opened from the dashboard, asked about due reminders, paged, rows
// deleted, searched and backed up into a workbook.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "modalanswerer.h"
#include "remindwindow.h"
#include "serverprocess.h"
#include "workbookfile.h"

namespace {

const QString kEntity = QStringLiteral("remind");
const QDate kToday = QDate::currentDate();

QString day(int offset)
{
    return kToday.addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

QJsonObject remind(const QString &title, const QString &owner, int dayOffset, int lead = 0,
                   const QString &isRemind = QStringLiteral("开启"))
{
    return QJsonObject{{"id", 0},
                       {"isRemind", isRemind},
                       {"mold", "事件"},
                       {"title", title},
                       {"content", "内容-" + title},
                       {"address", "http://" + title},
                       {"registerDate", "2024-03-01 10:00:00"},
                       {"updateDate", "2024-03-02 10:00:00"},
                       {"remindDate", day(dayOffset)},
                       {"remindMethod", ""},
                       {"remindMethodBody", ""},
                       {"remindDateNumber", lead},
                       {"comment", "c-" + title},
                       {"loginName", owner}};
}

bool seed(const QJsonObject &record)
{
    return ServerProcess::add(kEntity, record).value("flag").toInt() == 1;
}

bool seedMany(int count, const QString &owner, const QString &prefix, int dayOffset = 40)
{
    for (int i = 1; i <= count; ++i) {
        if (!seed(remind(prefix + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), owner, dayOffset)))
            return false;
    }
    return true;
}

QStringList storedTitles()
{
    QStringList titles;
    for (const QJsonValue &row : ServerProcess::rows(kEntity))
        titles << row["title"].toString();
    titles.sort();
    return titles;
}

// Right-clicks the view at `pos` and, in the menu that opens (the window waits
// for it to close), clicks the entry `entry`. False when no menu opened or it
// has no such entry.
bool pickFromMenu(QAbstractItemView *view, const QPoint &pos, const QString &entry)
{
    bool picked = false;
    QTimer chooser;
    chooser.setSingleShot(true);
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->isVisible() && action->text() == entry) {
                picked = true;
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        menu->close();
    });
    chooser.start(0);
    QWidget *viewport = view->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &event);
    return picked;
}

// One reminder window for one logged-in user, driven as the dashboard and a person drive it.
struct Board {
    DomainUser user;
    RemindWindow window;

    Board(const QString &name, int grade)
    {
        user.setUsername(name);
        user.setGrade(grade);
        window.receiveUser(user, 1);
        window.show();
    }
    // A dashboard preset (page size 0) or a search (its page size).
    void query(const QString &condition = QString(), int pageSize = 0)
    {
        DomainUi ui;
        ui.setCurPage(1);
        ui.setPageSize(pageSize);
        ui.setConditionStr(condition);
        window.receiveDomainUi(ui);
    }
    template<class T>
    T *child(const char *name) const
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    QTableWidget *table() const { return child<QTableWidget>("tableWidget"); }
    QAction *action(const char *name) const { return child<QAction>(name); }
    QStringList titles() const
    {
        QStringList texts;
        for (int r = 0; r < table()->rowCount(); ++r)
            texts << table()->item(r, 2)->text();
        return texts;
    }
    QStringList sortedTitles() const
    {
        QStringList texts = titles();
        texts.sort();
        return texts;
    }
    QString status() const { return window.statusBar()->findChild<QLabel *>()->text(); }
    QString pageLabel() const { return child<QLabel>("label_pageMessage")->text(); }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    bool pick(const QString &title, const QString &entry)
    {
        const int row = titles().indexOf(title);
        if (row < 0)
            return false;
        return pickFromMenu(table(), table()->visualItemRect(table()->item(row, 2)).center(), entry);
    }
};


const QString kDeleteTitle = QStringLiteral("删除提示");
const QString kDeleteText = QStringLiteral("确定要删除吗？删除后无法恢复");

} // namespace

class TestRemindersWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { server.reset(); }
    void deleteOnlyOnConfirm();
    void duePromptKeepsThePageAndShowsTheDueList();
    void administratorsGetNoDuePrompt();
    void searchFromTheWindow();
    void addAndChangeFromTheWindow();
    void backupOfAllPagesAndOfThePage();

private:
    std::unique_ptr<ServerProcess> server;
};

void TestRemindersWindow::init()
{
    server = std::make_unique<ServerProcess>(false);
    QVERIFY(server->start());
}

void TestRemindersWindow::deleteOnlyOnConfirm()
{
    QVERIFY(seed(remind("a", "alice", 5)));
    QVERIFY(seed(remind("b", "alice", 6)));
    QVERIFY(seed(remind("c", "alice", 7)));
    QVERIFY(seed(remind("x", "bob", 7)));
    Board alice("alice", 1);
    alice.query();
    QCOMPARE(alice.titles(), (QStringList{"c", "b", "a"}));

    // "取消", the standard buttons and Escape delete nothing.
    ModalAnswerer answerer;
    for (const char *button : {"取消", "OK", "Cancel"}) {
        answerer.box(kDeleteTitle, kDeleteText, QString::fromUtf8(button));
        QVERIFY(alice.pick("b", QStringLiteral("删除此行")));
        ANSWERED(answerer);
    }
    answerer.escape();
    QVERIFY(alice.pick("b", QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(storedTitles(), (QStringList{"a", "b", "c", "x"}));

    // After sorting, "确认" deletes the row that was clicked.
    alice.table()->sortItems(2, Qt::AscendingOrder);
    answerer.box(kDeleteTitle, kDeleteText, QStringLiteral("确认"));
    QVERIFY(alice.pick("b", QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(storedTitles(), (QStringList{"a", "c", "x"}));
    QCOMPARE(alice.sortedTitles(), (QStringList{"a", "c"}));
    QCOMPARE(alice.status(), QStringLiteral("当前总提醒事件数量为 2 个，已全部显示在页面中；    "));

    // Without the server the refusal is shown and the rows stay.
    server->stop();
    answerer.box(kDeleteTitle, kDeleteText, QStringLiteral("确认"));
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("没有网络连接或是数据请求错误"), QStringLiteral("知道了"));
    QVERIFY(alice.pick("a", QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(alice.sortedTitles(), (QStringList{"a", "c"}));
}

void TestRemindersWindow::duePromptKeepsThePageAndShowsTheDueList()
{
    QVERIFY(seedMany(25, "alice", "f"));              // far ahead: not due
    QVERIFY(seed(remind("d1", "alice", 0)));          // due today
    QVERIFY(seed(remind("d2", "alice", -1)));         // overdue
    QVERIFY(seed(remind("d3", "alice", 5, 7)));       // within its lead time
    QVERIFY(seed(remind("off", "alice", 0, 0, "关闭"))); // switched off
    QVERIFY(seed(remind("bd", "bob", 0)));            // someone else's
    Board alice("alice", 1);
    alice.query(QString(), 10); // a search with page size 10: 3 pages
    alice.click("pushButton_nextPage");
    QCOMPARE(alice.pageLabel(), QStringLiteral("第2页/共3页 |  共29个提醒"));

    // "进入提醒管理": the enabled reminders of the page shown, then the question.
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral(" 个需要提醒的事件处理"), QStringLiteral("不查看"));
    alice.window.receiveSignal();
    ANSWERED(answerer);
    QVERIFY(answerer.seen().join('|').contains(QStringLiteral("当前有 <span style='color:red'>3</span> 个需要提醒的事件处理")));
    QVERIFY(answerer.seen().join('|').contains(QStringLiteral("查看提醒: 选择<查看>，不查看: 选择<不查看>")));
    QCOMPARE(alice.pageLabel(), QStringLiteral("第2页/共3页 |  共28个提醒"));
    QCOMPARE(alice.table()->rowCount(), 10);
    QVERIFY(!alice.titles().contains(QStringLiteral("off")));
    // The window stays on the page and page size it loaded: on to page 3.
    alice.click("pushButton_nextPage");
    QCOMPARE(alice.pageLabel(), QStringLiteral("第3页/共3页 |  共28个提醒"));
    QCOMPARE(alice.table()->rowCount(), 8);

    // "查看": the due reminders, all on one page, the paging row hidden.
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral(" 个需要提醒的事件处理"), QStringLiteral("查看"));
    alice.window.receiveSignal();
    ANSWERED(answerer);
    QCOMPARE(alice.sortedTitles(), (QStringList{"d1", "d2", "d3"}));
    QCOMPARE(alice.status(), QStringLiteral("当前总提醒事件数量为 3 个，已全部显示在页面中；    "));
    QVERIFY(!alice.child<QPushButton>("pushButton_nextPage")->isVisible());

    // A delete in the due view lists the due reminders again.
    answerer.box(kDeleteTitle, kDeleteText, QStringLiteral("确认"));
    QVERIFY(alice.pick("d2", QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(alice.sortedTitles(), (QStringList{"d1", "d3"}));
    QCOMPARE(alice.status(), QStringLiteral("当前总提醒事件数量为 2 个，已全部显示在页面中；    "));

    // A change in the due view too: d3 moved out of its lead time is no longer due.
    answerer.dialog("RemindAddUpdateDialog", [](QWidget *dialog) {
        dialog->findChild<QDateEdit *>("dateEdit_remindDate")->setDate(kToday.addDays(60));
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    });
    QVERIFY(alice.pick("d3", QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(alice.titles(), QStringList{"d1"});
    // Cancelled, nothing is reloaded or changed.
    answerer.dialog("RemindAddUpdateDialog", [](QWidget *dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton *>("lPushButton_cancel"), Qt::LeftButton);
    });
    QVERIFY(alice.pick("d1", QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(alice.titles(), QStringList{"d1"});

    // A search leaves the due view; paging goes on with its page size.
    alice.query(QStringLiteral(" and isRemind like '%开启%'"), 10);
    QCOMPARE(alice.pageLabel(), QStringLiteral("第1页/共3页 |  共27个提醒"));
    alice.click("pushButton_nextPage");
    QCOMPARE(alice.pageLabel(), QStringLiteral("第2页/共3页 |  共27个提醒"));
    QVERIFY(alice.child<QPushButton>("pushButton_nextPage")->isVisible());
    QCOMPARE(alice.table()->rowCount(), 10);
}

void TestRemindersWindow::administratorsGetNoDuePrompt()
{
    QVERIFY(seed(remind("d1", "alice", 0)));
    QVERIFY(seed(remind("d2", "bob", -3)));
    QVERIFY(seed(remind("off", "bob", -3, 0, "关闭")));
    Board root("root", 5);
    ModalAnswerer answerer; // any box would be a problem
    root.window.receiveSignal();
    ANSWERED(answerer);
    QCOMPARE(root.sortedTitles(), (QStringList{"d1", "d2"}));
    QVERIFY(!root.table()->isColumnHidden(11));
    QCOMPARE(root.table()->horizontalHeaderItem(11)->text(), QStringLiteral("用户名"));
}

void TestRemindersWindow::searchFromTheWindow()
{
    QVERIFY(seed(remind("mine", "alice", 3)));
    QVERIFY(seed(remind("more", "alice", 4)));
    QVERIFY(seed(remind("theirs", "bob", 3)));
    Board alice("alice", 1);
    alice.query();

    ModalAnswerer answerer;
    QStringList seenWhileOpen;
    answerer.dialog("RemindSearchDialog", [&](QWidget *dialog) {
        auto *pageSize = dialog->findChild<QLineEdit *>("lineEdit_pageSize");
        seenWhileOpen << pageSize->text() << dialog->windowTitle();
        // Below grade 5 nobody searches by owner.
        seenWhileOpen << QString::number(dialog->findChild<QCheckBox *>("checkBox_loginName")->isVisible());
        QTest::mouseClick(dialog->findChild<QCheckBox *>("checkBox_title"), Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_title"), "m");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_confirm"), Qt::LeftButton);
        seenWhileOpen << alice.sortedTitles().join(',');
        // Refined with a page size of 1: the dialog stays open, the window reloads behind it.
        pageSize->clear();
        QTest::keyClicks(pageSize, "1");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_confirm"), Qt::LeftButton);
        seenWhileOpen << alice.pageLabel() << QString::number(dialog->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_findAll"), Qt::LeftButton);
        seenWhileOpen << QString::number(dialog->isVisible());
    });
    alice.action("findAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(seenWhileOpen, (QStringList{"30", "提醒事件查询", "0", "mine,more", "第1页/共2页 |  共2个提醒", "1", "0"}));
    // "查询全部" with page size 1: every own reminder, one a page.
    QCOMPARE(alice.pageLabel(), QStringLiteral("第1页/共2页 |  共2个提醒"));

    // "取  消" hands nothing over; the owner row is there from grade 5 on.
    Board root("root", 5);
    root.query();
    bool ownerRowShown = false;
    answerer.dialog("RemindSearchDialog", [&](QWidget *dialog) {
        ownerRowShown = dialog->findChild<QCheckBox *>("checkBox_loginName")->isVisible();
        QTest::mouseClick(dialog->findChild<QCheckBox *>("checkBox_loginName"), Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_loginName"), "bob");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_cancel"), Qt::LeftButton);
    });
    root.action("findAction")->trigger();
    ANSWERED(answerer);
    QVERIFY(ownerRowShown);
    QCOMPARE(root.sortedTitles(), (QStringList{"mine", "more", "theirs"}));
}

void TestRemindersWindow::addAndChangeFromTheWindow()
{
    QVERIFY(seed(remind("old", "alice", 3)));
    QVERIFY(seed(remind("asleep", "alice", 3, 0, "关闭")));
    QVERIFY(seed(remind("theirs", "bob", 3)));
    Board alice("alice", 1);
    alice.query();
    QCOMPARE(alice.sortedTitles(), (QStringList{"asleep", "old"}));

    // Today is refused; tomorrow is added, and the own enabled reminders are listed.
    ModalAnswerer answerer;
    QStringList refusal; // what the box over the dialog said and what was left unanswered
    answerer.dialog("RemindAddUpdateDialog", [&refusal](QWidget *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_title"), "new");
        dialog->findChild<QPlainTextEdit *>("textEdit_content")->setPlainText(QStringLiteral("take the bins out"));
        {
            // The box over the dialog needs an answerer of its own, gone before the write waits.
            ModalAnswerer overDialog;
            overDialog.box(QStringLiteral("提示信息"), QStringLiteral("提醒日期必须大于今天"), QStringLiteral("知道了"));
            QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
            refusal << overDialog.problems() << QString::number(overDialog.allAnswered());
        }
        dialog->findChild<QDateEdit *>("dateEdit_remindDate")->setDate(kToday.addDays(1));
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    });
    alice.action("addAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(refusal, QStringList{"1"});
    QCOMPARE(alice.sortedTitles(), (QStringList{"new", "old"}));
    QCOMPARE(storedTitles(), (QStringList{"asleep", "new", "old", "theirs"}));

    // An administrator's add, too, lists only the own enabled reminders.
    Board root("root", 5);
    root.query(QStringLiteral(" and title = 'old'"));
    answerer.dialog("RemindAddUpdateDialog", [](QWidget *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_title"), "admins");
        dialog->findChild<QPlainTextEdit *>("textEdit_content")->setPlainText(QStringLiteral("c"));
        dialog->findChild<QDateEdit *>("dateEdit_remindDate")->setDate(kToday.addDays(2));
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    });
    root.action("addAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(root.sortedTitles(), (QStringList{"admins"}));

    // A change of bob's reminder keeps bob as its owner; the page is reloaded.
    root.query();
    QCOMPARE(root.sortedTitles(), (QStringList{"admins", "asleep", "new", "old", "theirs"}));
    answerer.dialog("RemindAddUpdateDialog", [](QWidget *dialog) {
        auto *title = dialog->findChild<QLineEdit *>("lineEdit_title");
        title->clear();
        QTest::keyClicks(title, "changed");
        QTest::mouseClick(dialog->findChild<QPushButton *>("PushButton_confirem"), Qt::LeftButton);
    });
    QVERIFY(root.pick("theirs", QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(root.sortedTitles(), (QStringList{"admins", "asleep", "changed", "new", "old"}));
    const QJsonArray changed = ServerProcess::rows(kEntity, QStringLiteral(" and title = 'changed'"));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0)["loginName"].toString(), QStringLiteral("bob"));
    QCOMPARE(changed.at(0)["content"].toString(), QStringLiteral("内容-theirs"));
}

void TestRemindersWindow::backupOfAllPagesAndOfThePage()
{
    QVERIFY(seedMany(33, "alice", "a"));
    QVERIFY(seedMany(2, "bob", "b"));
    QTemporaryDir dir;
    const QString headers12[] = {"提醒开关", "提醒类型", "提醒主题", "提醒内容", "访问的地址", "添加日期",
                                 "更新日期", "提醒日期", "提醒方式", "提醒主体", "前置天数", "备注"};
    QVariantList titles;
    for (const QString &h : headers12)
        titles << h;

    // An administrator on page 2 exports every page: 13 columns, the owner last.
    Board root("root", 5);
    root.query();
    root.click("pushButton_nextPage");
    QCOMPARE(root.table()->rowCount(), 5);
    const QString all = dir.filePath("all.xlsx");
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("备份"), QStringLiteral("总提醒数量大于当前显示的提醒数"), QStringLiteral("全部导出"));
    WorkbookFile::choose(answerer, all);
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("备份成功,请到保存的位置查看！"), QStringLiteral("知道了"));
    root.action("copyAction")->trigger();
    ANSWERED(answerer);
    QVERIFY(answerer.seen().join('|').contains(
        QStringLiteral("如果备份所有的提醒:选择<全部导出>，只备份当前显示提醒:选择<导出当前>")));
    QCOMPARE(root.table()->rowCount(), 35);
    QJsonArray rows = WorkbookFile::rows(all);
    QCOMPARE(rows.size(), 36);
    QCOMPARE(rows.at(0).toArray().toVariantList(), titles + QVariantList{"用户名"});
    const QJsonArray newest = rows.at(1).toArray();
    QCOMPARE(newest.toVariantList(),
             (QVariantList{"开启", "事件", "b02", "内容-b02", "http://b02", "2024-03-01 10:00:00",
                           "2024-03-02 10:00:00", day(40), "", "", 0, "c-b02", "bob"}));
    QCOMPARE(rows.at(35).toArray().at(2).toString(), QStringLiteral("a01"));

    // A user below grade 5 exports the page shown: 12 columns.
    Board alice("alice", 1);
    alice.query();
    const QString page = dir.filePath("page.xlsx");
    answerer.box(QStringLiteral("备份"), QStringLiteral("总提醒数量大于当前显示的提醒数"), QStringLiteral("导出当前"));
    WorkbookFile::choose(answerer, page);
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("备份成功"), QStringLiteral("知道了"));
    alice.action("copyAction")->trigger();
    ANSWERED(answerer);
    rows = WorkbookFile::rows(page);
    QCOMPARE(rows.size(), 31);
    QCOMPARE(rows.at(0).toArray().toVariantList(), titles);
    QCOMPARE(rows.at(1).toArray().at(2).toString(), QStringLiteral("a33"));

    // "取消操作" exports nothing.
    answerer.box(QStringLiteral("备份"), QStringLiteral("总提醒数量大于当前显示的提醒数"), QStringLiteral("取消操作"));
    alice.action("copyAction")->trigger();
    ANSWERED(answerer);

    // Everything on one page goes without the question.
    Board bob("bob", 1);
    bob.query();
    const QString single = dir.filePath("single.xlsx");
    WorkbookFile::choose(answerer, single);
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("备份成功"), QStringLiteral("知道了"));
    bob.action("copyAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(WorkbookFile::rows(single).size(), 3);
}

QTEST_MAIN(TestRemindersWindow)
#include "tst_reminders_window.moc"
