// The account book against the real server over loopback, used as a person
// would: opened with a query, paged, searched, added to, changed, deleted
// from, its columns switched and its rows backed up into a workbook.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QHeaderView>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "windowcheck.h"
#include "workbookfile.h"

namespace {

const QString kEntity = QStringLiteral("accountInfo");

QJsonObject account(const QString &name, const QString &owner,
                    const QString &date = QStringLiteral("2024-03-01 10:00:00"))
{
    return QJsonObject{{"id", 0},
                       {"accountName", name},
                       {"username", "u-" + name},
                       {"password", "p-" + name},
                       {"userRealName", "r-" + name},
                       {"eMail", name + "@mail.cn"},
                       {"telephone", "13800000000" + name},
                       {"information1", "http://" + name},
                       {"information2", "i-" + name},
                       {"registerDate", date},
                       {"updateDate", date},
                       {"comment", "c-" + name},
                       {"loginName", owner}};
}

// Types any text into the widget, one key per character (keyClicks takes ASCII only).
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

bool seed(const QJsonObject &record)
{
    return ServerProcess::add(kEntity, record).value("flag").toInt() == 1;
}

bool seedMany(int count, const QString &owner)
{
    for (int i = 1; i <= count; ++i) {
        if (!seed(account(QStringLiteral("site%1").arg(i, 2, 10, QLatin1Char('0')), owner)))
            return false;
    }
    return true;
}

// One account window for one logged-in user, opened as the dashboard opens it.
struct Book {
    DomainUser user;
    MainWindow window;

    Book(const QString &name, int grade)
    {
        user.setUsername(name);
        user.setGrade(grade);
        window.receiveUsername(user);
    }
    void open(const QString &condition = QString())
    {
        DomainUi query;
        query.setCurPage(1);
        query.setPageSize(0);
        query.setConditionStr(condition);
        window.receiveDomainUi(query);
        window.show();
    }
    template<class T>
    T *child(const char *name) const
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }
    QTableWidget *table() const { return child<QTableWidget>("tableWidget"); }
    QAction *action(const char *name) const { return child<QAction>(name); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r < table()->rowCount(); ++r)
            texts << table()->item(r, c)->text();
        return texts;
    }
    QStringList names() const { return column(0); }
    QString status() const { return window.statusBar()->findChild<QLabel *>()->text(); }
    QString pageLabel() const { return child<QLabel>("label_pageMessage")->text(); }
    int rowOf(const QString &name) const { return names().indexOf(name); }
    // Right-clicks the row, as a person opens its menu, and picks an entry.
    bool pick(int row, const QString &entry)
    {
        QTableWidget *t = table();
        const QPoint pos = t->visualItemRect(t->item(row, 0)).center();
        QTest::mouseClick(t->viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, t->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(t->viewport(), &event);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return false;
        for (QAction *a : menu->actions()) {
            if (a->text() == entry) {
                menu->hide();
                a->trigger();
                return true;
            }
        }
        return false;
    }
};

#define ANSWERED(answerer)                                                                                   \
    do {                                                                                                     \
        QVERIFY2((answerer).problems().isEmpty(), qPrintable((answerer).problems().join('\n')));           \
        QVERIFY((answerer).allAnswered());                                                                   \
    } while (false)

} // namespace

class TestAccountsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { server.reset(); }
    void listAndPage_data();
    void listAndPage();
    void ownerConditionBelowGradeFive();
    void searchFromTheWindow();
    void searchCriteriaFindTheirRows_data();
    void searchCriteriaFindTheirRows();
    void addFromTheWindow();
    void changeARow();
    void deleteNeedsThePressOfTheButton();
    void deleteAfterSortingHitsTheRowShown();
    void deletingTheLastRowOfTheLastPageStepsBack();
    void columnSwitches();
    void backupOfTheCurrentPage();
    void backupOfAllPages();

private:
    std::unique_ptr<ServerProcess> server;
};

void TestAccountsWindow::init()
{
    server = std::make_unique<ServerProcess>(false);
    QVERIFY(server->start());
}

void TestAccountsWindow::listAndPage_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("none") << 0;
    QTest::newRow("one page") << 30;
    QTest::newRow("one more") << 31;
    QTest::newRow("one and a half") << 45;
    QTest::newRow("three pages") << 75;
}

void TestAccountsWindow::listAndPage()
{
    QFETCH(int, count);
    QVERIFY(seedMany(count, "alice"));
    Book book("alice", 1);
    book.open();
    auto *combo = book.child<QComboBox>("comboBox_pageNumber");
    auto *previous = book.child<QPushButton>("pushButtonl_previousPage");
    auto *next = book.child<QPushButton>("pushButton_nextPage");

    QCOMPARE(book.table()->rowCount(), qMin(count, 30));
    QVERIFY(!previous->isEnabled());
    if (count <= 30) {
        QCOMPARE(combo->count(), 1);
        QCOMPARE(combo->itemText(0), QStringLiteral("第1页/共1页"));
        QCOMPARE(book.pageLabel(), QStringLiteral("第1页/共1页 | 每页%1个账户 | 共%1个账户").arg(count));
        QCOMPARE(book.status(), QStringLiteral("当前总账户数量为 %1 个，已全部显示在页面中；    ").arg(count));
        QVERIFY(!next->isEnabled());
        QVERIFY(!combo->isVisible());
        if (count)
            QCOMPARE(book.names().first(), QStringLiteral("site%1").arg(count)); // newest first
        return;
    }

    // Walked with "下一页" to the last page, then back with "上一页" and the selector.
    const int pages = (count + 29) / 30;
    const auto showsPage = [&](int page) {
        QCOMPARE(book.table()->rowCount(), page < pages ? 30 : count - 30 * (pages - 1));
        WindowCheck::pagingRow(&book.window, page, pages,
                               QStringLiteral("第%1页/共%2页 |  共%3个账户").arg(page).arg(pages).arg(count),
                               QStringLiteral("当前总账户数量为 %1 个，总共 %2 页，每页显示 30 个账户，当前所在位置：第 %3 页;    ")
                                   .arg(count).arg(pages).arg(page));
    };
    showsPage(1);
    for (int page = 2; page <= pages; ++page) {
        QTest::mouseClick(next, Qt::LeftButton);
        showsPage(page);
    }
    QCOMPARE(book.names().last(), QStringLiteral("site01"));

    QTest::mouseClick(previous, Qt::LeftButton);
    showsPage(pages - 1);

    combo->setCurrentIndex(pages - 1); // the person's choice in the selector
    showsPage(pages);
}

void TestAccountsWindow::ownerConditionBelowGradeFive()
{
    QVERIFY(seed(account("a1", "alice")));
    QVERIFY(seed(account("a2", "alice")));
    QVERIFY(seed(account("b1", "bob")));
    QVERIFY(seed(account("o1", "o'neil")));

    Book alice("alice", 4);
    alice.open();
    QCOMPARE(alice.names(), (QStringList{"a2", "a1"}));
    QVERIFY(alice.table()->isColumnHidden(10));

    // A quote in the user's own name stays inside the owner condition.
    Book oneil("o'neil", 1);
    oneil.open();
    QCOMPARE(oneil.names(), QStringList{"o1"});

    Book admin("root", 5);
    admin.open();
    QCOMPARE(admin.names(), (QStringList{"o1", "b1", "a2", "a1"}));
    QVERIFY(!admin.table()->isColumnHidden(10));
    QCOMPARE(admin.column(10), (QStringList{"o'neil", "bob", "alice", "alice"}));
    QCOMPARE(admin.table()->horizontalHeaderItem(10)->text(), QStringLiteral("用户名"));
    // The id column is always hidden and holds each row's own id.
    QVERIFY(admin.table()->isColumnHidden(12));
    const QJsonArray stored = ServerProcess::rows(kEntity);
    for (int r = 0; r < 4; ++r)
        QCOMPARE(admin.table()->item(r, 12)->text().toInt(), stored.at(r)["id"].toInt());
}

void TestAccountsWindow::searchFromTheWindow()
{
    QVERIFY(seed(account("O'Reilly", "alice", "2023-01-10 09:00:00")));
    QVERIFY(seed(account("oreo", "bob", "2024-05-10 09:00:00")));
    QVERIFY(seed(account("github", "alice", "2024-06-10 09:00:00")));
    Book admin("root", 5);
    admin.open(" and date(registerDate) between '2024-01-01 00:00:00' and '2024-12-31 23:59:59'");
    QCOMPARE(admin.names(), (QStringList{"github", "oreo"}));

    ModalAnswerer answerer;
    QStringList seenWhileOpen;
    answerer.dialog("SearchDialog", [&](QWidget *dialog) {
        auto *pageSize = dialog->findChild<QLineEdit *>("lineEdit_pageSize");
        QCOMPARE(pageSize->text(), QStringLiteral("30"));
        QVERIFY(dialog->findChild<QCheckBox *>("checkBox_loginName")->isVisible());
        QTest::mouseClick(dialog->findChild<QCheckBox *>("checkBox_accountName"), Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_accountName"), "O'R");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_confirm"), Qt::LeftButton);
        seenWhileOpen << admin.names().join(',');
        // Refined: the dialog stays open and each confirm reloads at once.
        pageSize->clear();
        QTest::keyClicks(pageSize, "1");
        dialog->findChild<QLineEdit *>("lineEdit_accountName")->clear();
        QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_accountName"), "o");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_confirm"), Qt::LeftButton);
        seenWhileOpen << admin.names().join(',') << admin.pageLabel();
        pageSize->clear();
        QTest::keyClicks(pageSize, "30");
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_findAll"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    });
    admin.action("findAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(seenWhileOpen.value(0), QStringLiteral("O'Reilly"));
    QCOMPARE(seenWhileOpen.value(1), QStringLiteral("oreo"));
    QCOMPARE(seenWhileOpen.value(2), QStringLiteral("第1页/共2页 |  共2个账户"));
    // "查询全部" lists every account: no earlier condition lingers.
    QCOMPARE(admin.names(), (QStringList{"github", "oreo", "O'Reilly"}));

    // The dashboard's "all" after a filtered opening lists everything too.
    admin.open(" and date(registerDate) < '2024-01-01 00:00:00'");
    QCOMPARE(admin.names(), QStringList{"O'Reilly"});
    admin.open();
    QCOMPARE(admin.table()->rowCount(), 3);

    // Below grade 5 the owner row is not offered.
    Book alice("alice", 1);
    alice.open();
    answerer.dialog("SearchDialog", [](QWidget *dialog) {
        QVERIFY(!dialog->findChild<QCheckBox *>("checkBox_loginName")->isVisible());
        QVERIFY(!dialog->findChild<QLineEdit *>("lineEdit_loginName")->isVisible());
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_cancel"), Qt::LeftButton);
    });
    alice.action("findAction")->trigger();
    ANSWERED(answerer);
}

void TestAccountsWindow::searchCriteriaFindTheirRows_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("accountName") << "accountName" << "hub" << QStringList{"github"};
    QTest::newRow("username") << "username" << "u-gi" << QStringList{"gitee", "github"};
    QTest::newRow("userRealName") << "userRealName" << "r-o'" << QStringList{"o'hare"};
    QTest::newRow("eMail") << "eMail" << "gitee@" << QStringList{"gitee"};
    QTest::newRow("telephone") << "telephone" << "00o'" << QStringList{"o'hare"};
    QTest::newRow("information1") << "information1" << "//git" << QStringList{"gitee", "github"};
    QTest::newRow("information2") << "information2" << "i-gith" << QStringList{"github"};
    QTest::newRow("comment") << "comment" << "c-o'h" << QStringList{"o'hare"};
    QTest::newRow("loginName") << "loginName" << "bo" << QStringList{"gitee"};
    QTest::newRow("registerDate >=") << "registerDate" << ">=" << QStringList{"gitee", "github"};
    QTest::newRow("registerDate 介于") << "registerDate" << "介于" << QStringList{"github"};
    QTest::newRow("updateDate <") << "updateDate" << "<" << QStringList{"o'hare"};
}

void TestAccountsWindow::searchCriteriaFindTheirRows()
{
    QFETCH(QString, criterion);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QVERIFY(seed(account("o'hare", "alice", "2022-02-02 08:00:00")));
    QVERIFY(seed(account("github", "alice", "2024-06-10 09:00:00")));
    QVERIFY(seed(account("gitee", "bob", "2024-08-20 09:00:00")));
    Book admin("root", 5);
    admin.open();
    QCOMPARE(admin.table()->rowCount(), 3);

    ModalAnswerer answerer;
    QStringList shown;
    answerer.dialog("SearchDialog", [&](QWidget *dialog) {
        if (criterion.endsWith("Date")) {
            const bool update = criterion == "updateDate";
            auto *box = dialog->findChild<QCheckBox *>(update ? "checkBox_updateDate" : "checkBox_1registerDate");
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY2(box->isChecked(), qPrintable(QStringLiteral("%1 %2 %3").arg(box->width()).arg(box->height()).arg(box->isVisible())));
            auto *op = dialog->findChild<QComboBox *>(update ? "comboBox_updateDate" : "comboBox_registerDate");
            op->setCurrentText(text);
            dialog->findChild<QDateEdit *>(update ? "dateEdit_updateDate" : "dateEdit_registerDate1")
                ->setDate(QDate(2024, 1, 1));
            if (text == "介于") {
                auto *second = dialog->findChild<QDateEdit *>("dateEdit_registerDate2");
                QVERIFY(second->isVisible());
                second->setDate(QDate(2024, 6, 30));
            }
        } else {
            QTest::mouseClick(dialog->findChild<QCheckBox *>("checkBox_" + criterion), Qt::LeftButton);
            QTest::keyClicks(dialog->findChild<QLineEdit *>("lineEdit_" + criterion), text);
        }
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_confirm"), Qt::LeftButton);
        shown = admin.names();
        QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_cancel"), Qt::LeftButton);
    });
    admin.action("findAction")->trigger();
    ANSWERED(answerer);
    shown.sort();
    QCOMPARE(shown, found);
}

void TestAccountsWindow::addFromTheWindow()
{
    QVERIFY(seed(account("old", "alice")));
    Book alice("alice", 1);
    alice.open();
    ModalAnswerer answerer;
    answerer.dialog("AccountAddUpdateDialog", [](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("添加窗口"));
        type(dialog->findChild<QLineEdit *>("accountNameLineEdit"), "新站点");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("usernameLineEdit"), "me");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("passwordLineEdit"), "secret");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("information1LineEdit"), "https://new.example");
        QTest::mouseClick(dialog->findChild<QPushButton *>("confiremPushButton"), Qt::LeftButton);
    });
    alice.action("addAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(alice.names(), (QStringList{"新站点", "old"}));
    const QJsonObject stored = ServerProcess::rows(kEntity, " and accountName = '新站点'").at(0).toObject();
    QCOMPARE(stored["loginName"].toString(), QStringLiteral("alice"));
    QCOMPARE(stored["password"].toString(), QStringLiteral("secret"));
    QCOMPARE(stored["eMail"].toString(), QString(""));

    // Cancelling adds nothing and does not reload.
    answerer.dialog("AccountAddUpdateDialog", [](QWidget *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>("accountNameLineEdit"), "never");
        QTest::mouseClick(dialog->findChild<QPushButton *>("cancelPushButton"), Qt::LeftButton);
    });
    alice.action("addAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(ServerProcess::rows(kEntity).size(), 2);
}

void TestAccountsWindow::changeARow()
{
    QVERIFY(seed(account("keep", "alice", "2020-01-01 01:02:03")));
    QVERIFY(seed(account("other", "alice")));
    Book alice("alice", 1);
    alice.open();
    const int row = alice.rowOf("keep");
    const int id = alice.table()->item(row, 12)->text().toInt();
    ModalAnswerer answerer;
    answerer.dialog("AccountAddUpdateDialog", [](QWidget *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("更新窗口"));
        auto *name = dialog->findChild<QLineEdit *>("accountNameLineEdit");
        QCOMPARE(name->text(), QStringLiteral("keep"));
        QVERIFY(!name->isEnabled());
        auto *password = dialog->findChild<QLineEdit *>("passwordLineEdit");
        QCOMPARE(password->text(), QStringLiteral("p-keep"));
        password->clear();
        QTest::keyClicks(password, "changed");
        auto *comment = dialog->findChild<QTextEdit *>("commentTextEdit");
        comment->clear();
        QTest::keyClicks(comment, "<b>bold</b> & more");
        QTest::mouseClick(dialog->findChild<QPushButton *>("confiremPushButton"), Qt::LeftButton);
    });
    QVERIFY(alice.pick(row, "修改此行"));
    ANSWERED(answerer);

    const QJsonObject stored = ServerProcess::rows(kEntity, QStringLiteral(" and id = %1").arg(id)).at(0).toObject();
    QCOMPARE(stored["accountName"].toString(), QStringLiteral("keep"));
    QCOMPARE(stored["password"].toString(), QStringLiteral("changed"));
    QCOMPARE(stored["registerDate"].toString(), QStringLiteral("2020-01-01 01:02:03"));
    QCOMPARE(stored["loginName"].toString(), QStringLiteral("alice"));
    QCOMPARE(stored["username"].toString(), QStringLiteral("u-keep"));
    QCOMPARE(stored["comment"].toString(), QStringLiteral("<b>bold</b> & more"));
    QVERIFY(stored["updateDate"].toString() > QStringLiteral("2024-03-01 10:00:00"));
    QCOMPARE(alice.table()->item(alice.rowOf("keep"), 2)->text(), QStringLiteral("changed"));

    // The stored markup comes back as typed when the row is changed again.
    answerer.dialog("AccountAddUpdateDialog", [](QWidget *dialog) {
        QCOMPARE(dialog->findChild<QTextEdit *>("commentTextEdit")->toPlainText(),
                 QStringLiteral("<b>bold</b> & more"));
        QTest::mouseClick(dialog->findChild<QPushButton *>("confiremPushButton"), Qt::LeftButton);
    });
    QVERIFY(alice.pick(alice.rowOf("keep"), "修改此行"));
    ANSWERED(answerer);
    QCOMPARE(ServerProcess::rows(kEntity, QStringLiteral(" and id = %1").arg(id)).at(0)["comment"].toString(),
             QStringLiteral("<b>bold</b> & more"));
}

void TestAccountsWindow::deleteNeedsThePressOfTheButton()
{
    QVERIFY(seed(account("a", "alice")));
    QVERIFY(seed(account("b", "alice")));
    Book alice("alice", 1);
    alice.open();
    ModalAnswerer answerer;

    answerer.escape();
    QVERIFY(alice.pick(alice.rowOf("a"), "删除此行"));
    ANSWERED(answerer);
    QCOMPARE(ServerProcess::rows(kEntity).size(), 2);

    answerer.dialog("QMessageBox", [](QWidget *box) { box->close(); });
    QVERIFY(alice.pick(alice.rowOf("a"), "删除此行"));
    ANSWERED(answerer);
    QCOMPARE(ServerProcess::rows(kEntity).size(), 2);

    answerer.box(QString(), "删除提示", "知道了");
    QVERIFY(alice.pick(alice.rowOf("a"), "删除此行"));
    ANSWERED(answerer);
    QCOMPARE(answerer.seen().mid(answerer.seen().size() - 2),
             (QStringList{"删除提示", "确定要删除吗？删除后无法恢复"}));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 1);
    QCOMPARE(alice.names(), QStringList{"b"});
}

void TestAccountsWindow::deleteAfterSortingHitsTheRowShown()
{
    for (const char *name : {"m", "z", "a", "k"})
        QVERIFY(seed(account(name, "alice")));
    Book alice("alice", 1);
    alice.open();
    QHeaderView *header = alice.table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    QStringList names = alice.names();
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end());
    if (names != sorted)
        std::reverse(sorted.begin(), sorted.end());
    QCOMPARE(names, sorted);
    // Rows filled into the sorted table each hold the cells of one record, its id included.
    alice.open();
    QCOMPARE(alice.names(), names);
    const QJsonArray stored = ServerProcess::rows(kEntity);
    for (const QJsonValue &v : stored) {
        const int row = alice.rowOf(v["accountName"].toString());
        QCOMPARE(alice.table()->item(row, 12)->text().toInt(), v["id"].toInt());
        QCOMPARE(alice.table()->item(row, 1)->text(), v["username"].toString());
    }

    ModalAnswerer answerer;
    answerer.box(QString(), "删除提示", "知道了");
    QVERIFY(alice.pick(alice.rowOf("k"), "删除此行"));
    ANSWERED(answerer);
    QStringList left;
    for (const QJsonValue &v : ServerProcess::rows(kEntity))
        left << v["accountName"].toString();
    left.sort();
    QCOMPARE(left, (QStringList{"a", "m", "z"}));
}

void TestAccountsWindow::deletingTheLastRowOfTheLastPageStepsBack()
{
    QVERIFY(seedMany(31, "alice"));
    Book alice("alice", 1);
    alice.open();
    QTest::mouseClick(alice.child<QPushButton>("pushButton_nextPage"), Qt::LeftButton);
    QCOMPARE(alice.names(), QStringList{"site01"});
    ModalAnswerer answerer;
    answerer.box(QString(), "删除提示", "知道了");
    QVERIFY(alice.pick(0, "删除此行"));
    ANSWERED(answerer);
    QCOMPARE(alice.table()->rowCount(), 30);
    QCOMPARE(alice.status(), QStringLiteral("当前总账户数量为 30 个，已全部显示在页面中；    "));
}

void TestAccountsWindow::columnSwitches()
{
    QVERIFY(seed(account("a", "alice")));
    Book alice("alice", 1);
    alice.open();
    QTableWidget *table = alice.table();
    WindowCheck::columnSwitches(
        &alice.window,
        {{"realNameShowAction", {3}, ":/images/name-off.png", "打开姓名列", ":/images/name-on.png", "关闭姓名列"},
         {"mailAction", {4}, ":/images/email-off.png", "打开邮箱列", ":/images/email-on.png", "关闭邮箱列"},
         {"telAction", {5}, ":/images/phone-off.png", "打开电话列", ":/images/phone-on.png", "关闭电话列"},
         {"inforAction", {7}, ":/images/comment-off.png", "打开信息列", ":/images/comment-on.png", "关闭信息列"},
         {"dateAction", {8}, ":/images/date-off.png", "打开添加日期列", ":/images/date-on.png", "关闭添加日期列"}},
        13, [table](int c) { return table->isColumnHidden(c); }, [&] { alice.open(); });
    QCOMPARE(alice.action("mailAction")->toolTip(), QStringLiteral("注册使用的邮箱显示和隐藏"));
}

void TestAccountsWindow::backupOfTheCurrentPage()
{
    QVERIFY(seedMany(31, "alice"));
    Book alice("alice", 1);
    alice.open();
    QTemporaryDir dir;
    const QString path = dir.filePath("page.xlsx");
    ModalAnswerer answerer;
    answerer.box(QString(), "总账户数量大于当前显示的账户数", "导出当前");
    WorkbookFile::choose(answerer, path);
    answerer.box("备份提示", "备份成功,请到保存的位置查看！", "知道了");
    alice.action("copyAction")->trigger();
    ANSWERED(answerer);

    const QJsonArray rows = WorkbookFile::rows(path);
    QCOMPARE(rows.size(), 31);
    QCOMPARE(rows.at(0).toArray().toVariantList(),
             (QVariantList{"账户名称", "登录名", "密码", "注册真实姓名", "邮箱", "电话", "网址", "信息", "建立日期",
                           "修改日期", "备注"}));
    QCOMPARE(rows.at(1).toArray().at(0).toString(), QStringLiteral("site31"));
    QCOMPARE(rows.at(1).toArray().at(10).toString(), QStringLiteral("c-site31"));
    QCOMPARE(rows.at(30).toArray().at(0).toString(), QStringLiteral("site02"));
    QCOMPARE(alice.table()->rowCount(), 30);

    // "取消操作" does nothing at all.
    answerer.box(QString(), "总账户数量大于当前显示的账户数", "取消操作");
    alice.action("copyAction")->trigger();
    ANSWERED(answerer);
}

void TestAccountsWindow::backupOfAllPages()
{
    QVERIFY(seedMany(44, "alice"));
    QVERIFY(seed(account("bobs", "bob")));
    Book admin("root", 5);
    admin.open(" and loginName = 'alice'");
    QTest::mouseClick(admin.child<QPushButton>("pushButton_nextPage"), Qt::LeftButton);
    QCOMPARE(admin.table()->rowCount(), 14);

    QTemporaryDir dir;
    const QString path = dir.filePath("all.xlsx");
    ModalAnswerer answerer;
    answerer.box(QString(), "总账户数量大于当前显示的账户数", "全部导出");
    WorkbookFile::choose(answerer, path);
    answerer.box("备份提示", "备份成功", "知道了");
    admin.action("copyAction")->trigger();
    ANSWERED(answerer);

    // All 44 rows of the condition in force, on one page, the owner column last.
    QCOMPARE(admin.table()->rowCount(), 44);
    QCOMPARE(admin.status(), QStringLiteral("当前总账户数量为 44 个，已全部显示在页面中；    "));
    const QJsonArray rows = WorkbookFile::rows(path);
    QCOMPARE(rows.size(), 45);
    QCOMPARE(rows.at(0).toArray().size(), 12);
    QCOMPARE(rows.at(0).toArray().at(11).toString(), QStringLiteral("用户名"));
    for (int r = 1; r < rows.size(); ++r)
        QCOMPARE(rows.at(r).toArray().at(11).toString(), QStringLiteral("alice"));
    QCOMPARE(rows.at(44).toArray().at(0).toString(), QStringLiteral("site01"));

    // 30 rows or fewer go without the choice of scope.
    QVERIFY(seed(account("x", "carol")));
    Book carol("carol", 1);
    carol.open();
    // A cancelled file choice shows nothing.
    answerer.dialog("QFileDialog", [](QWidget *w) { QMetaObject::invokeMethod(w, "reject"); });
    carol.action("copyAction")->trigger();
    ANSWERED(answerer);
    const QString single = dir.filePath("single.xlsx");
    WorkbookFile::choose(answerer, single);
    answerer.box("备份提示", "备份成功", "知道了");
    carol.action("copyAction")->trigger();
    ANSWERED(answerer);
    QCOMPARE(WorkbookFile::rows(single).size(), 2);
}

QTEST_MAIN(TestAccountsWindow)
#include "tst_accounts_window.moc"
