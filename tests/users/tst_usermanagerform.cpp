// The user page: nothing is fetched before it is used; paging through users;
// deleting the last row of the last page; the rows' "修改此行" and "删除此行".
#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "domainuser.h"
#include "formchild.h"
#include "guidriver.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "usermanagerform.h"
#include "windowcheck.h"

namespace {

// A user as the list reply gives it, every field filled.
QJsonObject userRow(int id, const QString &name)
{
    return QJsonObject{{"id", id},
                       {"username", name},
                       {"password", name + "-pw"},
                       {"realName", name + "-real"},
                       {"telephone", "1380000000" + QString::number(id)},
                       {"grade", id},
                       {"eMail", name + "@x.cn"},
                       {"administrator", "admin"},
                       {"registerDate", "2023-01-0" + QString::number(id) + " 08:00:00"},
                       {"userImage", name + ".png"},
                       {"loginDate", "2024-02-0" + QString::number(id) + " 09:00:00"},
                       {"prohibit", "正常"},
                       {"prohibitCause", "none"},
                       {"comment", "note " + name}};
}

// The middle of the row whose ID column reads `id`.
QPoint rowOf(QTableWidget *table, int id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == QString::number(id))
            return table->visualItemRect(table->item(row, 1)).center();
    }
    return QPoint(-1, -1);
}

} // namespace

class TestUserManagerForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void loadsOnFirstConditionAndPages();
    void deletingTheLastRowOfTheLastPageStepsBack();
    void updateRowRunsTheAdministratorDialogAndReloadsOnlyWhenAccepted();
    void deleteRequestIsTheRecordWithoutTheListKeys();
    void refusedDeleteShowsTheReasonAndKeepsTheRow();

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

void TestUserManagerForm::updateRowRunsTheAdministratorDialogAndReloadsOnlyWhenAccepted()
{
    const QJsonArray rows{userRow(1, "alice"), userRow(2, "bob")};
    stub.setHandler([rows](const StubRequest &request) {
        if (request.path.endsWith("/update"))
            return StubResponse::envelope(1, QStringLiteral("修改成功"), QJsonValue::Null);
        return StubResponse::list(rows, 2);
    });
    UserManagerForm page;
    page.show();
    auto *table = formChild<QTableWidget>(&page, "tableWidget");
    QList<int> tags;
    connect(&page, &UserManagerForm::sendUser, this, [&](DomainUser &, int tag) { tags << tag; });

    // Cancelled: the dialog showed bob for an administrator, and nothing is asked afterwards.
    stub.requests.clear();
    ModalAnswerer answerer;
    answerer.dialog("UserUpdateDialog", [](QWidget *dialog) {
        QCOMPARE(formChild<QLineEdit>(dialog, "LineEdit_username")->text(), QStringLiteral("bob"));
        auto *password = formChild<QLineEdit>(dialog, "LineEdit_password");
        QCOMPARE(password->text(), QStringLiteral("bob-pw"));
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        auto *grade = formChild<QComboBox>(dialog, "comboBox_grade");
        QVERIFY(grade->isEnabled());
        QCOMPARE(grade->currentText(), QStringLiteral("2"));
        QVERIFY(formChild<QComboBox>(dialog, "comboBox_prohibit")->isEnabled());
        QTest::mouseClick(formChild<QPushButton>(dialog, "PushButton_cancel"), Qt::LeftButton);
    });
    QVERIFY(GuiDriver::pickFromMenu(table, rowOf(table, 2), QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(tags, QList<int>{2});
    QVERIFY(stub.requests.isEmpty());

    // Confirmed: bob's record goes to the server, then the same page is loaded again.
    answerer.dialog("UserUpdateDialog", [](QWidget *dialog) {
        formChild<QComboBox>(dialog, "comboBox_grade")->setCurrentText(QStringLiteral("4"));
        QTest::mouseClick(formChild<QPushButton>(dialog, "PushButton_confirem"), Qt::LeftButton);
    });
    QVERIFY(GuiDriver::pickFromMenu(table, rowOf(table, 2), QStringLiteral("修改此行")));
    ANSWERED(answerer);
    QCOMPARE(tags, (QList<int>{2, 2}));
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/user/update"));
    QJsonObject expected = userRow(2, "bob");
    expected["grade"] = 4;
    QCOMPARE(stub.requests[0].json().value("dList").toArray().at(0).toObject(), expected);
    QCOMPARE(stub.requests[1].path, QByteArray("/android/user/findByCondition"));
    QCOMPARE(stub.requests[1].json().value("curPage").toInt(), 1);
    stub.setHandler(nullptr);
}

// The delete request carries the record alone, not the page's list request
// with "dList" added, and no later list request carries that "dList".
void TestUserManagerForm::deleteRequestIsTheRecordWithoutTheListKeys()
{
    const QJsonArray rows{userRow(1, "alice"), userRow(2, "bob")};
    stub.setHandler([rows](const StubRequest &request) {
        if (request.path.endsWith("/delete"))
            return StubResponse::envelope(1, QStringLiteral("删除成功"), QJsonValue::Null);
        return StubResponse::list(rows, 2);
    });
    UserManagerForm page;
    page.show();
    QString condition = QStringLiteral(" and grade < 3");
    page.receiveConditionStr(condition);
    auto *table = formChild<QTableWidget>(&page, "tableWidget");

    // The question first; "取消" sends nothing.
    stub.requests.clear();
    ModalAnswerer answerer;
    answerer.dialog("QMessageBox", [](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QCOMPARE(box->windowTitle(), QStringLiteral("删除提示"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->text(), QStringLiteral("确定要删除吗？删除后无法恢复"));
        QStringList buttons;
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        QCOMPARE(buttons, (QStringList{"确认", "取消"}));
        ModalAnswerer::clickButton(box, QStringLiteral("取消"));
    });
    QVERIFY(GuiDriver::pickFromMenu(table, rowOf(table, 2), QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QVERIFY(stub.requests.isEmpty());

    answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(table, rowOf(table, 2), QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].method, QByteArray("POST"));
    QCOMPARE(stub.requests[0].path, QByteArray("/android/user/delete"));
    QJsonObject record = userRow(2, "bob");
    for (const char *key : {"loginDate", "prohibit", "prohibitCause"})
        record.remove(key);
    QCOMPARE(stub.requests[0].json(), (QJsonObject{{"dList", QJsonArray{record}}}));
    const QJsonObject reload = stub.requests[1].json();
    QCOMPARE(stub.requests[1].path, QByteArray("/android/user/findByCondition"));
    QCOMPARE(reload.keys(), (QStringList{"conditionStr", "curPage", "order", "pageSize"}));
    QCOMPARE(reload.value("conditionStr").toString(), condition);
    stub.setHandler(nullptr);
}

void TestUserManagerForm::refusedDeleteShowsTheReasonAndKeepsTheRow()
{
    const QJsonArray rows{userRow(1, "alice"), userRow(2, "bob")};
    stub.setHandler([rows](const StubRequest &request) {
        if (request.path.endsWith("/delete"))
            return StubResponse::envelope(-1, QStringLiteral("不能删除管理员"));
        return StubResponse::list(rows, 2);
    });
    UserManagerForm page;
    page.show();
    auto *table = formChild<QTableWidget>(&page, "tableWidget");

    stub.requests.clear();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
    answerer.dialog("QMessageBox", [](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        QCOMPARE(box->windowTitle(), QStringLiteral("提示信息"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->text(), QStringLiteral("不能删除管理员"));
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttonRole(box->buttons().at(0)), QMessageBox::ActionRole);
        ModalAnswerer::clickButton(box, QStringLiteral("知道了"));
    });
    QVERIFY(GuiDriver::pickFromMenu(table, rowOf(table, 1), QStringLiteral("删除此行")));
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 1); // no reload
    QCOMPARE(table->rowCount(), 2);
    QVERIFY(rowOf(table, 1).x() >= 0);
    stub.setHandler(nullptr);
}

QTEST_MAIN(TestUserManagerForm)
#include "tst_usermanagerform.moc"
