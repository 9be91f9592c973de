// The user page's "组合查找" against the real server: each criterion narrows the
// page behind the open dialog; a search that finds nothing is no dead end.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

#include "formchild.h"
#include "guidriver.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "userfinddialog.h"
#include "usermanagerform.h"

class TestUsersFind : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachCriterionNarrowsThePage();
    void emptyResultStillOffersTheSearch();
    void refusalClearAndCancel();

private:
    using Body = std::function<void(UserFindDialog *, ModalAnswerer &)>;
    // Right-clicks the page's table at `pos`, picks "组合查找" and runs `body` on the dialog;
    // the entries the menu showed.
    static QString search(UserManagerForm &page, const QPoint &pos, const Body &body);
    // The user names of the rows shown, sorted and joined by blanks.
    static QString shown(UserManagerForm &page);
    static QPoint onFirstRow(UserManagerForm &page)
    {
        auto *table = formChild<QTableWidget>(&page, "tableWidget");
        return table->visualRect(table->model()->index(0, 1)).center();
    }
    static void press(QWidget *dialog, const char *button)
    {
        QTest::mouseClick(formChild<QPushButton>(dialog, button), Qt::LeftButton);
    }

    ServerProcess server;
};

void TestUsersFind::initTestCase()
{
    QVERIFY(server.start());
    const QJsonArray users{
        QJsonObject{{"username", "alice"}, {"password", "a1"}, {"realName", "爱丽丝"}, {"telephone", "13800000001"},
                    {"grade", 1}, {"comment", "老用户"}, {"prohibit", "正常"}, {"prohibitCause", ""},
                    {"registerDate", "2023-03-01 10:00:00"}, {"loginDate", "2024-06-01 09:00:00"}},
        QJsonObject{{"username", "bob"}, {"password", "b1"}, {"realName", "鲍勃"}, {"telephone", "13900000002"},
                    {"grade", 3}, {"comment", ""}, {"prohibit", "禁止"}, {"prohibitCause", "发垃圾信息"},
                    {"registerDate", "2024-02-15 10:00:00"}, {"loginDate", ""}},
        QJsonObject{{"username", "carol"}, {"password", "c1"}, {"realName", "卡罗尔"}, {"telephone", ""},
                    {"grade", 4}, {"comment", "新来的"}, {"prohibit", "正常"}, {"prohibitCause", ""},
                    {"registerDate", "2024-07-01 10:00:00"}, {"loginDate", "2024-07-02 18:00:00"}},
    };
    QCOMPARE(ServerProcess::call("user", "add", QJsonObject{{"dList", users}}).value("flag").toInt(), 1);
}

QString TestUsersFind::search(UserManagerForm &page, const QPoint &pos, const Body &body)
{
    auto *table = formChild<QTableWidget>(&page, "tableWidget");
    const QStringList entries = GuiDriver::menuEntries(table, pos);
    ModalAnswerer answerer;
    answerer.drive("UserFindDialog", [&](QWidget *w) { body(qobject_cast<UserFindDialog *>(w), answerer); });
    if (!GuiDriver::pickFromMenu(table, pos, QStringLiteral("组合查找")))
        return QStringLiteral("no search in: ") + entries.join(QStringLiteral(" | "));
    [&] { ANSWERED(answerer); }();
    return entries.join(QStringLiteral(" | "));
}

QString TestUsersFind::shown(UserManagerForm &page)
{
    auto *table = formChild<QTableWidget>(&page, "tableWidget");
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names << table->item(row, 1)->text();
    names.sort();
    return names.join(QLatin1Char(' '));
}

void TestUsersFind::eachCriterionNarrowsThePage()
{
    UserManagerForm page;
    page.show();
    QCOMPARE(shown(page), QStringLiteral("alice bob carol"));

    struct Criterion {
        const char *name;
        std::function<void(QWidget *)> set;
        QString expected;
    };
    const auto text = [](const char *field, const QString &typed) {
        return [=](QWidget *d) {
            formChild<QCheckBox>(d, qPrintable(QStringLiteral("checkBox_") + QLatin1String(field)))->click();
            formChild<QLineEdit>(d, qPrintable(QStringLiteral("lineEdit_") + QLatin1String(field)))->setText(typed);
        };
    };
    const auto pick = [](QWidget *d, const char *combo, const QString &item) {
        auto *c = formChild<QComboBox>(d, combo);
        c->setCurrentIndex(c->findText(item));
    };
    const auto date = [](QWidget *d, const char *edit, const QDate &day) { formChild<QDateEdit>(d, edit)->setDate(day); };
    const QList<Criterion> criteria{
        {"username", text("username", "bo"), "bob"},
        {"realName", text("realName", QStringLiteral("卡")), "carol"},
        {"telephone", text("telephone", "139"), "bob"},
        {"comment", text("comment", QStringLiteral("老")), "alice"},
        {"prohibit", text("prohibit", QStringLiteral("禁")), "bob"},
        {"prohibitCause", text("prohibitCause", QStringLiteral("垃圾")), "bob"},
        {"registerDate <", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_1registerDate")->click();
             pick(d, "comboBox_registerDate", "<");
             date(d, "dateEdit_registerDate1", QDate(2024, 1, 1));
         }, "alice"},
        {"registerDate 介于", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_1registerDate")->click();
             pick(d, "comboBox_registerDate", QStringLiteral("介于"));
             QVERIFY(formChild<QDateEdit>(d, "dateEdit_registerDate2")->isVisible());
             date(d, "dateEdit_registerDate1", QDate(2024, 2, 1));
             date(d, "dateEdit_registerDate2", QDate(2024, 7, 31));
         }, "bob carol"},
        {"loginDate =", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_loginDate")->click();
             pick(d, "comboBox_loginDate", "=");
             date(d, "dateEdit_loginDate1", QDate(2024, 7, 2));
         }, "carol"},
        {"grade >= 3", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_grade")->click();
             pick(d, "comboBox_grade1", ">=");
             pick(d, "comboBox_grade2", "3");
         }, "bob carol"},
        {"grade 介于 1 and 3", [&](QWidget *d) {
             formChild<QCheckBox>(d, "checkBox_grade")->click();
             pick(d, "comboBox_grade1", QStringLiteral("介于"));
             pick(d, "comboBox_grade2", "1");
             pick(d, "comboBox_grade3", "3");
         }, "alice bob"},
    };
    search(page, onFirstRow(page), [&](UserFindDialog *dialog, ModalAnswerer &) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("用户组合查询"));
        for (const Criterion &c : criteria) {
            press(dialog, "pushButton_clear");
            // "清  空" leaves the grade operator as it was.
            pick(dialog, "comboBox_grade1", ">");
            c.set(dialog);
            press(dialog, "pushButton_confirm");
            QVERIFY2(shown(page) == c.expected,
                     qPrintable(QStringLiteral("%1: %2 shown, %3 expected (%4)")
                                    .arg(QLatin1String(c.name), shown(page), c.expected, dialog->getConditionStr())));
        }
        QVERIFY(dialog->isVisible());
        // "查 询 全 部" lists every user and closes.
        press(dialog, "pushButton_findAll");
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(shown(page), QStringLiteral("alice bob carol"));
}

void TestUsersFind::emptyResultStillOffersTheSearch()
{
    UserManagerForm page;
    page.show();
    const QString entries = search(page, onFirstRow(page), [&](UserFindDialog *dialog, ModalAnswerer &) {
        formChild<QCheckBox>(dialog, "checkBox_username")->click();
        QTest::keyClicks(formChild<QLineEdit>(dialog, "lineEdit_username"), "nobody");
        press(dialog, "pushButton_confirm");
        QCOMPARE(shown(page), QString());
    });
    QCOMPARE(entries, QStringLiteral("修改此行 | 删除此行 | 组合查找"));
    QVERIFY(!formChild<QLabel>(&page, "label_pageMessage")->isVisible());

    // Nothing to click on but the empty table: the menu offers the search alone.
    auto *table = formChild<QTableWidget>(&page, "tableWidget");
    const QString again = search(page, table->viewport()->rect().center(), [&](UserFindDialog *dialog, ModalAnswerer &) {
        press(dialog, "pushButton_findAll");
    });
    QCOMPARE(again, QStringLiteral("组合查找"));
    QCOMPARE(shown(page), QStringLiteral("alice bob carol"));
}

void TestUsersFind::refusalClearAndCancel()
{
    UserManagerForm page;
    page.show();
    QString narrow = QStringLiteral(" and username = 'bob'");
    page.receiveConditionStr(narrow);
    search(page, onFirstRow(page), [&](UserFindDialog *dialog, ModalAnswerer &answerer) {
        // Nothing switched on, then a name switch with an empty field: the plain box, nothing sent.
        answerer.dialog("QMessageBox", [](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QCOMPARE(box->windowTitle(), QString());
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->text(), QStringLiteral("查询异常提示"));
            QCOMPARE(box->informativeText(), QStringLiteral("请选择左侧查询开关并填写条件"));
            ModalAnswerer::clickButton(box, QStringLiteral("知道了"));
        });
        press(dialog, "pushButton_confirm");
        formChild<QCheckBox>(dialog, "checkBox_username")->click();
        answerer.box(QString(), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        press(dialog, "pushButton_confirm");
        QCOMPARE(shown(page), QStringLiteral("bob"));

        // "清  空" leaves the grade operator and the dates, and sets the second grade to "2".
        auto *grade1 = formChild<QComboBox>(dialog, "comboBox_grade1");
        auto *grade3 = formChild<QComboBox>(dialog, "comboBox_grade3");
        QVERIFY(!grade3->isVisible());
        grade1->setCurrentText(QStringLiteral("介于"));
        QCOMPARE(grade3->currentText(), QStringLiteral("1"));
        formChild<QComboBox>(dialog, "comboBox_registerDate")->setCurrentText(QStringLiteral("介于"));
        formChild<QDateEdit>(dialog, "dateEdit_loginDate1")->setDate(QDate(2021, 1, 1));
        QCOMPARE(formChild<QDateEdit>(dialog, "dateEdit_registerDate1")->date(), QDate::currentDate());
        QVERIFY(formChild<QDateEdit>(dialog, "dateEdit_registerDate1")->calendarPopup());
        press(dialog, "pushButton_clear");
        QVERIFY(!formChild<QCheckBox>(dialog, "checkBox_username")->isChecked());
        QCOMPARE(grade1->currentText(), QStringLiteral("介于"));
        QVERIFY(grade3->isVisible());
        QCOMPARE(grade3->currentText(), QStringLiteral("2"));
        QVERIFY(!formChild<QDateEdit>(dialog, "dateEdit_registerDate2")->isVisible());
        QCOMPARE(formChild<QDateEdit>(dialog, "dateEdit_loginDate1")->date(), QDate(2021, 1, 1));
        formChild<QCheckBox>(dialog, "checkBox_grade")->click();
        QCOMPARE(dialog->getConditionStr(), QStringLiteral(" and grade between 1 and 2 "));

        // "取  消" hands nothing over.
        press(dialog, "pushButton_cancel");
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(shown(page), QStringLiteral("bob"));
}

QTEST_MAIN(TestUsersFind)
#include "tst_users_find.moc"
