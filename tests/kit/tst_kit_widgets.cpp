// The widget helpers of the table-window kit: paging row, page selector,
// row menu and lookup, notice boxes, busy guard, sorting pause.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTreeView>
#include <QtTest>

#include "domainui.h"
#include "dueprompt.h"
#include "listrequest.h"

#include "loadguard.h"
#include "modalanswerer.h"
#include "noticebox.h"
#include "pagingbar.h"
#include "rowmenu.h"
#include "sortingpause.h"

namespace {
struct Record {
    int id;
    int getId() const { return id; }
};
} // namespace

class TestKitWidgets : public QObject
{
    Q_OBJECT

private slots:
    void pagingRowShowsOnlyForSeveralPages();
    void rowMenuOpensOnCellsOnlyAndFindsById();
    void rowMenuOnTreeFindsCurrentRecord();
    void listRequestsCarryNoStaleKeys();
    void noticeTellsPressFromEscapeAndClose();
    void chooseReturnsTheButtonPressed();
    void chooseWithStandardButtonsAndDuePrompt();
    void loadGuardRefusesSecondEntry();
    void sortingPauseKeepsRowsWhole();
};

void TestKitWidgets::pagingRowShowsOnlyForSeveralPages()
{
    QWidget host;
    auto *row = new QHBoxLayout(&host);
    auto *left = new QSpacerItem(40, 20, QSizePolicy::Expanding);
    auto *label = new QLabel(QStringLiteral("第一页"));
    auto *previous = new QPushButton;
    auto *combo = new QComboBox;
    auto *next = new QPushButton;
    auto *right = new QSpacerItem(40, 20, QSizePolicy::Expanding);
    row->addItem(left);
    row->addWidget(label);
    row->addWidget(previous);
    row->addWidget(combo);
    row->addWidget(next);
    row->addItem(right);
    QLabel status;
    PagingBar bar({label, previous, combo, next, row, left, right, &status},
                  {QStringLiteral("many {curPage}/{pages}"), QStringLiteral("status {total}, {pageSize} {pageSize}"),
                   QStringLiteral("one {total}"), QString()});
    QVERIFY(combo->isEditable());
    QVERIFY(combo->lineEdit()->isReadOnly());
    host.show();

    bar.show(45, 2, 30);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QStringLiteral("第2页/共2页"));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(label->text(), QStringLiteral("many 2/2"));
    QCOMPARE(status.text(), QStringLiteral("status 45, 30 30"));
    QVERIFY(previous->isEnabled());
    QVERIFY(!next->isEnabled());
    QVERIFY(label->isVisible() && combo->isVisible());
    QCOMPARE(left->sizeHint(), QSize(20, 20));

    bar.show(30, 1, 30);
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->itemText(0), QStringLiteral("第1页/共1页"));
    QCOMPARE(label->text(), QStringLiteral("one 30"));
    QCOMPARE(status.text(), QStringLiteral("status 45, 30 30")); // no one-page status text given: left alone
    QVERIFY(!previous->isEnabled());
    QVERIFY(!next->isEnabled());
    QVERIFY(!label->isVisible() && !combo->isVisible() && !next->isVisible());
    QCOMPARE(left->sizeHint(), QSize(0, 0));

    // A page size below 1 never divides: everything on one page.
    bar.show(45, 1, 0);
    QCOMPARE(combo->count(), 1);
    QVERIFY(!next->isEnabled());
}

void TestKitWidgets::rowMenuOpensOnCellsOnlyAndFindsById()
{
    QTableWidget table(2, 2);
    table.resize(400, 300);
    table.setItem(0, 1, new QTableWidgetItem("7"));
    table.setItem(1, 1, new QTableWidgetItem("x"));
    table.show();
    QMenu menu;
    menu.addAction("a");
    const QPoint onCell = table.visualItemRect(table.item(0, 1)).center();
    QVERIFY(RowMenu::open(&menu, &table, onCell));
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
    QVERIFY(!RowMenu::open(&menu, &table, QPoint(390, 290)));

    table.setCurrentCell(0, 0);
    QCOMPARE(RowMenu::currentId(&table, 1), 7);
    table.setCurrentCell(1, 0);
    QCOMPARE(RowMenu::currentId(&table, 1), 0);

    Record a{3}, b{7}, c{7};
    const QList<Record *> records{&a, &b, &c};
    QCOMPARE(RowMenu::find(records, 7), &b);
    QCOMPARE(RowMenu::find(records, 9), static_cast<Record *>(nullptr));
}

void TestKitWidgets::rowMenuOnTreeFindsCurrentRecord()
{
    QStandardItemModel model;
    auto *parent = new QStandardItem("year");
    parent->setChild(0, 0, new QStandardItem("quarter"));
    parent->setChild(0, 1, new QStandardItem("8"));
    model.appendRow({parent, new QStandardItem("3")});
    QTreeView tree;
    tree.setModel(&model);
    tree.expandAll();
    tree.resize(300, 300);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    tree.setCurrentIndex(QModelIndex());
    QCOMPARE(RowMenu::currentId(&tree, 1), 0); // no current row

    Record a{3}, b{8};
    const QList<Record *> records{&a, &b};
    const QModelIndex child = model.index(0, 0, model.index(0, 0));
    tree.setCurrentIndex(child);
    QCOMPARE(RowMenu::current(&tree, 1, records), &b);
    tree.setCurrentIndex(model.index(0, 0));
    QCOMPARE(RowMenu::current(&tree, 1, records), &a);

    QMenu menu;
    menu.addAction("a");
    QVERIFY(!RowMenu::open(&menu, &tree, QPoint(290, 290), RowMenu::Show::Wait)); // below the rows: no menu
    QVERIFY(!menu.isVisible());
    QTimer::singleShot(0, &menu, [&menu] { menu.close(); });
    QVERIFY(RowMenu::open(&menu, &tree, tree.visualRect(child).center(), RowMenu::Show::Wait));
    QVERIFY(!menu.isVisible()); // waited until it closed
}

void TestKitWidgets::listRequestsCarryNoStaleKeys()
{
    QJsonObject request{{"conditionStr", " and old"}, {"other", 1}};
    ListRequest::fill(request, 2, 30, QString(), "desc");
    QCOMPARE(request, (QJsonObject{{"curPage", 2}, {"pageSize", 30}, {"order", "desc"}, {"other", 1}}));
    ListRequest::fill(request, 1, 30, QString(), "desc", ListRequest::EmptyCondition::Send);
    QCOMPARE(request.value("conditionStr"), QJsonValue(QString()));
    ListRequest::fill(request, 1, 30, " and a", "desc");
    QCOMPARE(request.value("conditionStr").toString(), QStringLiteral(" and a"));

    QCOMPARE(ListRequest::due(" and b", "desc"),
             (QJsonObject{{"curPage", 1}, {"pageSize", 0}, {"conditionStr", " and b"}, {"order", "desc"}}));
    QCOMPARE(ListRequest::deletion(QJsonObject{{"id", 4}}),
             (QJsonObject{{"dList", QJsonArray{QJsonObject{{"id", 4}}}}}));

    QJsonArray rows{1};
    QVERIFY(!ListRequest::rows(QJsonObject{{"flag", -1}}, rows));
    QCOMPARE(rows, QJsonArray{1});
    QVERIFY(ListRequest::rows(QJsonObject{{"dList", QJsonArray{2, 3}}, {"totalCount", 7}}, rows));
    QCOMPARE(rows, (QJsonArray{2, 3}));
    QCOMPARE(ListRequest::totalCount(QJsonObject{{"totalCount", 7}}), 7);
    QCOMPARE(ListRequest::totalCount(QJsonObject()), 0);
}

void TestKitWidgets::noticeTellsPressFromEscapeAndClose()
{
    ModalAnswerer answerer;
    answerer.box("提示信息", "内容", "知道了");
    QVERIFY(NoticeBox::warning("提示信息", "内容"));

    answerer.escape();
    QVERIFY(!NoticeBox::show(QMessageBox::NoIcon, QString(), "删除提示", "确定要删除吗？删除后无法恢复"));

    answerer.dialog("QMessageBox", [](QWidget *w) { w->close(); });
    QVERIFY(!NoticeBox::show(QMessageBox::NoIcon, QString(), "删除提示"));

    answerer.dialog("QMessageBox", [](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttonRole(box->buttons().first()), QMessageBox::ActionRole);
        QVERIFY(!box->parentWidget());
        ModalAnswerer::clickButton(w, "知道了");
    });
    QVERIFY(NoticeBox::show(QMessageBox::Information, "备份提示", "x"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
}

void TestKitWidgets::chooseReturnsTheButtonPressed()
{
    ModalAnswerer answerer;
    const QStringList buttons{"全部导出", "导出当前", "取消操作"};
    answerer.box(QString(), "总数", "导出当前");
    QCOMPARE(NoticeBox::choose(QMessageBox::NoIcon, QString(), "总数", "说明", buttons), 1);
    // Escape leaves the box open: only a button ends it.
    bool stayedOpen = false;
    answerer.dialog("QMessageBox", [&stayedOpen](QWidget *w) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &escape);
        stayedOpen = w->isVisible();
        ModalAnswerer::clickButton(w, "取消操作");
    });
    QCOMPARE(NoticeBox::choose(QMessageBox::NoIcon, QString(), "总数", "说明", buttons), 2);
    QVERIFY(stayedOpen);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
}

void TestKitWidgets::chooseWithStandardButtonsAndDuePrompt()
{
    ModalAnswerer answerer;
    const QStringList buttons{"确认", "取消"};
    answerer.dialog("QMessageBox", [](QWidget *w) {
        QCOMPARE(qobject_cast<QMessageBox *>(w)->buttons().size(), 4);
        ModalAnswerer::clickButton(w, "确认");
    });
    QCOMPARE(NoticeBox::choose(QMessageBox::Information, "删除提示", "确定", QString(), buttons,
                               QMessageBox::Ok | QMessageBox::Cancel),
             0);
    answerer.escape(); // Escape presses the standard Cancel
    QCOMPARE(NoticeBox::choose(QMessageBox::Information, "删除提示", "确定", QString(), buttons,
                               QMessageBox::Ok | QMessageBox::Cancel),
             -1);

    answerer.box("处理提醒提示", "<span style='color:red'>3</span> 个事件", "查看");
    QVERIFY(DuePrompt::ask("处理提醒提示", 3, " 个事件", "说明"));
    answerer.box("处理提醒提示", "当前有 ", "不查看");
    QVERIFY(!DuePrompt::ask("处理提醒提示", 1, " 个事件", "说明"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
}

void TestKitWidgets::loadGuardRefusesSecondEntry()
{
    bool busy = false;
    {
        LoadGuard outer(busy);
        QVERIFY(outer.entered());
        QVERIFY(busy);
        {
            LoadGuard inner(busy);
            QVERIFY(!inner.entered());
        }
        QVERIFY(busy); // the refused guard leaves the mark alone
    }
    QVERIFY(!busy);
}

void TestKitWidgets::sortingPauseKeepsRowsWhole()
{
    QTableWidget table(0, 2);
    table.setSortingEnabled(true);
    table.sortByColumn(0, Qt::AscendingOrder);
    {
        SortingPause pause(&table);
        QVERIFY(!table.isSortingEnabled());
        const QStringList names{"c", "a", "b"};
        for (int i = 0; i < names.size(); ++i) {
            table.setRowCount(i + 1);
            table.setItem(i, 0, new QTableWidgetItem(names.at(i)));
            table.setItem(i, 1, new QTableWidgetItem(names.at(i) + "-id"));
        }
    }
    QVERIFY(table.isSortingEnabled());
    for (int row = 0; row < 3; ++row)
        QCOMPARE(table.item(row, 1)->text(), table.item(row, 0)->text() + "-id");
    QCOMPARE(table.item(0, 0)->text(), QStringLiteral("a"));
}

QTEST_MAIN(TestKitWidgets)
#include "tst_kit_widgets.moc"
