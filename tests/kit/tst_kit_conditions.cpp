// Condition fragments and the page arithmetic shared by the table windows.
#include <QtTest>

#include "conditionbuilder.h"
#include "pagingbar.h"

class TestKitConditions : public QObject
{
    Q_OBJECT

private slots:
    void quotedDoublesEverySingleQuote_data();
    void quotedDoublesEverySingleQuote();
    void fragments_data();
    void fragments();
    void operatorsAndRange();
    void pageCount_data();
    void pageCount();
};

void TestKitConditions::quotedDoublesEverySingleQuote_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "abc" << "abc";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("one") << "O'Neil" << "O''Neil";
    QTest::newRow("already doubled") << "a''b" << "a''''b";
    QTest::newRow("injection") << "x%' or '1'='1" << "x%'' or ''1''=''1";
    QTest::newRow("only quotes") << "'''" << "''''''";
}

void TestKitConditions::quotedDoublesEverySingleQuote()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ConditionBuilder::quoted(text), expected);
}

void TestKitConditions::fragments_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("expected");
    using C = ConditionBuilder;
    QTest::newRow("like") << C::like("accountName", "abc") << " and accountName like '%abc%'";
    QTest::newRow("like, trailing blank") << C::like("title", "t", true) << " and title like '%t%' ";
    QTest::newRow("like, quote") << C::like("comment", "it's") << " and comment like '%it''s%'";
    QTest::newRow("equals") << C::equals("loginName", "o'k") << " and loginName ='o''k'";
    QTest::newRow("date single") << C::date("registerDate", ">=", "2024-01-02", "2024-03-04")
                                 << " and date(registerDate) >= '2024-01-02'";
    QTest::newRow("date single, trailing blank") << C::dateCompare("remindDate", "!=", "2024-01-02", true)
                                                 << " and date(remindDate) != '2024-01-02' ";
    QTest::newRow("date range keeps order") << C::date("updateDate", "介于", "2024-05-01", "2024-01-01")
                                            << " and date(updateDate) between '2024-05-01' and '2024-01-01' ";
    QTest::newRow("date, unknown operator") << C::dateCompare("registerDate", "; drop", "2024-01-02") << "";
    QTest::newRow("number") << C::numberCompare("grade", "<=", "3", true) << " and grade <= 3 ";
    QTest::newRow("number, no blank") << C::numberCompare("remindDateNumber", "=", "7") << " and remindDateNumber = 7";
    QTest::newRow("number, decimal") << C::numberCompare("completionStatus", ">", "66.5") << " and completionStatus > 66.5";
    QTest::newRow("number, not a number") << C::numberCompare("grade", "=", "1 or 1=1") << "";
    QTest::newRow("number, empty") << C::numberCompare("grade", "=", "") << "";
    QTest::newRow("number, sign only") << C::numberCompare("grade", "=", "-") << "";
    QTest::newRow("number range") << C::numberRange("grade", "1", "4") << " and grade between 1 and 4 ";
    QTest::newRow("number range, bad high") << C::numberRange("grade", "1", "x") << "";
    QTest::newRow("present") << C::presence("image", true) << " and (image is not null and image !='') ";
    QTest::newRow("absent") << C::presence("image", false) << " and (image is null or image ='') ";
}

void TestKitConditions::fragments()
{
    QFETCH(QString, fragment);
    QFETCH(QString, expected);
    QCOMPARE(fragment, expected);
}

void TestKitConditions::operatorsAndRange()
{
    QCOMPARE(ConditionBuilder::operators(), (QStringList{">", "<", "=", ">=", "<=", "!=", "介于"}));
    QVERIFY(ConditionBuilder::isRange("介于"));
    QVERIFY(!ConditionBuilder::isRange(">="));
}

void TestKitConditions::pageCount_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("several");
    QTest::newRow("none") << 0 << 30 << 0 << false;
    QTest::newRow("one row") << 1 << 30 << 1 << false;
    QTest::newRow("exactly one page") << 30 << 30 << 1 << false;
    QTest::newRow("one more") << 31 << 30 << 2 << true;
    QTest::newRow("one and a half") << 45 << 30 << 2 << true;
    QTest::newRow("exactly two") << 60 << 30 << 2 << true;
    QTest::newRow("page size 1") << 3 << 1 << 3 << true;
    QTest::newRow("page size 0") << 45 << 0 << 1 << false;
    QTest::newRow("negative page size") << 45 << -5 << 1 << false;
    QTest::newRow("huge") << 2147483647 << 1000 << 2147484 << true;
}

void TestKitConditions::pageCount()
{
    QFETCH(int, total);
    QFETCH(int, pageSize);
    QFETCH(int, pages);
    QFETCH(bool, several);
    QCOMPARE(PagingBar::pageCount(total, pageSize), pages);
    QCOMPARE(PagingBar::severalPages(total, pageSize), several);
}

QTEST_GUILESS_MAIN(TestKitConditions)
#include "tst_kit_conditions.moc"
