// Condition fragments of the search dialogs and the page arithmetic shared by the table windows.
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

// Every fragment the search dialogs send, as each dialog writes it (blanks
// included), grouped by dialog; then the values that must never reach a
// condition as typed.
void TestKitConditions::fragments_data()
{
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("expected");
    using C = ConditionBuilder;
    using A = ConditionBuilder::Absent;
    const QString days = QStringLiteral("remindDate IS NOT NULL and remindDateNumber");
    auto row = [](const char *dialog, const char *what, const QString &fragment, const char *expected) {
        QTest::addRow("%s: %s", dialog, what) << fragment << QString::fromUtf8(expected);
    };

    // Account search: texts and dates without a trailing blank.
    for (const char *field : {"accountName", "username", "userRealName", "eMail", "telephone", "information1",
                              "information2", "comment", "loginName"})
        row("accounts", field, C::like(field, "abc"), qUtf8Printable(QStringLiteral(" and %1 like '%abc%'").arg(field)));
    row("accounts", "registerDate >=", C::date("registerDate", ">=", "2024-01-02", "2024-03-04"),
        " and date(registerDate) >= '2024-01-02'");
    row("accounts", "updateDate 介于, kept in the order chosen", C::date("updateDate", "介于", "2024-05-01", "2024-01-01"),
        " and date(updateDate) between '2024-05-01' and '2024-01-01' ");

    // Note search.
    row("notes", "isShow 全部", C::notNull("isShow"), " and isShow is not null  ");
    row("notes", "isShow choice", C::like("isShow", "展示"), " and isShow like '%展示%'");
    row("notes", "image 有图", C::presence("image", true), " and (image is not null and image !='') ");
    row("notes", "image 无图", C::presence("image", false), " and (image is null or image ='') ");
    row("notes", "volume 有声", C::presence("volume", true), " and (volume is not null and volume !='') ");
    row("notes", "volume 无声", C::presence("volume", false), " and (volume is null or volume ='') ");
    row("notes", "attachedFile 有附件", C::presence("attachedFile", true),
        " and (attachedFile is not null and attachedFile !='') ");
    row("notes", "attachedFile 无附件", C::presence("attachedFile", false),
        " and (attachedFile is null or attachedFile ='') ");
    row("notes", "grade", C::number("grade", ">", "3", "5", true), " and grade > 3 ");
    row("notes", "grade 介于", C::number("grade", "介于", "1", "5", true), " and grade between 1 and 5 ");
    row("notes", "remindFrequency 无邮件提醒", C::presence("remindFrequency", false, A::TightEquals),
        " and (remindFrequency is null or remindFrequency='') ");
    row("notes", "remindFrequency choice", C::like("remindFrequency", "每日邮件提醒", true),
        " and remindFrequency like '%每日邮件提醒%' ");
    row("notes", "isRemind 全部", C::notNull("isRemind"), " and isRemind is not null  ");
    row("notes", "isRemind choice", C::like("isRemind", "开启", true), " and isRemind like '%开启%' ");
    row("notes", "mold", C::like("mold", "读书笔记", true), " and mold like '%读书笔记%' ");
    for (const char *field : {"title", "content", "address", "remindMethodBody", "comment", "loginName"})
        row("notes", field, C::like(field, "t", true), qUtf8Printable(QStringLiteral(" and %1 like '%t%' ").arg(field)));
    row("notes", "remindMethod 邮件", C::presence("remindMethod", true),
        " and (remindMethod is not null and remindMethod !='') ");
    row("notes", "remindMethod 无", C::presence("remindMethod", false, A::WideIs),
        " and (remindMethod is  null or remindMethod ='') ");
    for (const char *field : {"registerDate", "updateDate", "remindDate"}) {
        row("notes", field, C::date(field, "<", "2024-01-02", "2024-02-03", true),
            qUtf8Printable(QStringLiteral(" and date(%1) < '2024-01-02' ").arg(field)));
        row("notes", qUtf8Printable(QStringLiteral("%1 介于").arg(field)), C::date(field, "介于", "2024-01-02", "2024-02-03", true),
            qUtf8Printable(QStringLiteral(" and date(%1) between '2024-01-02' and '2024-02-03' ").arg(field)));
    }
    row("notes", "remindDateNumber", C::number(days, ">=", "3", "0", true),
        " and remindDate IS NOT NULL and remindDateNumber >= 3 ");
    row("notes", "remindDateNumber 介于", C::number(days, "介于", "1", "7", true),
        " and remindDate IS NOT NULL and remindDateNumber between 1 and 7 ");
    row("notes", "查找", C::like("content", "abc"), " and content like '%abc%'");
    row("notes", "查询全部", C::matchAll(), " and 1=1 ");

    // Work-plan search.
    row("plans", "mold", C::like("mold", "年度计划", true), " and mold like '%年度计划%' ");
    row("plans", "isShow", C::like("isShow", "正常"), " and isShow like '%正常%'");
    row("plans", "tag", C::like("tag", "工作"), " and tag like '%工作%'");
    for (const char *field : {"title", "target", "gainProfit", "strategy", "measurableIndicator", "actionPlan",
                              "needResources", "difficulty", "auditor", "remindMethodBody", "comment", "loginName"})
        row("plans", field, C::like(field, "t", true), qUtf8Printable(QStringLiteral(" and %1 like '%t%' ").arg(field)));
    for (const char *field : {"startDate", "endDate", "registerDate", "updateDate", "remindDate"}) {
        row("plans", field, C::date(field, "=", "2024-01-02", "2024-02-03", true),
            qUtf8Printable(QStringLiteral(" and date(%1) = '2024-01-02' ").arg(field)));
        row("plans", qUtf8Printable(QStringLiteral("%1 介于").arg(field)), C::date(field, "介于", "2024-01-02", "2024-02-03", true),
            qUtf8Printable(QStringLiteral(" and date(%1) between '2024-01-02' and '2024-02-03' ").arg(field)));
    }
    row("plans", "completionStatus", C::number("completionStatus", "<=", "50", "0", true),
        " and completionStatus <= 50 ");
    row("plans", "completionStatus 介于", C::number("completionStatus", "介于", "20", "80", true),
        " and completionStatus between 20 and 80 ");
    row("plans", "score", C::number("score", "!=", "7", "0", true), " and score != 7 ");
    row("plans", "score 介于", C::number("score", "介于", "9", "3", true), " and score between 9 and 3 ");
    row("plans", "isRemind", C::like("isRemind", "关闭", true), " and isRemind like '%关闭%' ");
    row("plans", "isRemind third choice", C::notNull("isRemind"), " and isRemind is not null  ");
    row("plans", "remindMethod 邮件", C::presence("remindMethod", true),
        " and (remindMethod is not null and remindMethod !='') ");
    row("plans", "remindMethod 无", C::presence("remindMethod", false, A::WideIs),
        " and (remindMethod is  null or remindMethod ='') ");
    row("plans", "remindFrequency 无邮件提醒", C::presence("remindFrequency", false, A::TightEquals),
        " and (remindFrequency is null or remindFrequency='') ");
    row("plans", "remindFrequency choice", C::like("remindFrequency", "每周邮件提醒", true),
        " and remindFrequency like '%每周邮件提醒%' ");
    row("plans", "remindDateNumber", C::number(days, "<", "5", "", true),
        " and remindDate IS NOT NULL and remindDateNumber < 5 ");
    row("plans", "remindDateNumber 介于", C::number(days, "介于", "0", "10", true),
        " and remindDate IS NOT NULL and remindDateNumber between 0 and 10 ");
    row("plans", "image 有图", C::presence("image", true), " and (image is not null and image !='') ");
    row("plans", "image 无图", C::presence("image", false), " and (image is null or image ='') ");
    row("plans", "查找", C::like("title", "t"), " and title like '%t%'");
    row("plans", "查询全部", C::matchAll(), " and 1=1 ");

    // Reminder search: no trailing blanks but in the ranges.
    row("reminders", "isRemind", C::like("isRemind", "开启"), " and isRemind like '%开启%'");
    row("reminders", "mold", C::like("mold", "生日"), " and mold like '%生日%'");
    for (const char *field : {"title", "content", "address", "remindMethod", "remindMethodBody", "comment", "loginName"})
        row("reminders", field, C::like(field, "x"), qUtf8Printable(QStringLiteral(" and %1 like '%x%'").arg(field)));
    for (const char *field : {"registerDate", "updateDate", "remindDate"}) {
        row("reminders", field, C::date(field, ">", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) > '2024-01-02'").arg(field)));
        row("reminders", qUtf8Printable(QStringLiteral("%1 介于").arg(field)), C::date(field, "介于", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) between '2024-01-02' and '2024-02-03' ").arg(field)));
    }
    row("reminders", "remindDateNumber", C::number("remindDateNumber", ">", "0", "0"), " and remindDateNumber > 0");
    row("reminders", "remindDateNumber 介于", C::number("remindDateNumber", "介于", "1", "3"),
        " and remindDateNumber between 1 and 3 ");
    row("reminders", "查询全部", C::matchAll(), " and 1=1 ");

    // System message search.
    for (const char *field : {"appOS", "showSwitchStr", "mold", "message", "comment"})
        row("messages", field, C::like(field, "w"), qUtf8Printable(QStringLiteral(" and %1 like '%w%'").arg(field)));
    row("messages", "grade", C::number("grade", ">", "1", "1", true), " and grade > 1 ");
    row("messages", "grade 介于", C::number("grade", "介于", "1", "2", true), " and grade between 1 and 2 ");
    row("messages", "flag", C::number("flag", ">=", "1.5", "", true), " and flag >= 1.5 ");
    row("messages", "flag 介于", C::number("flag", "介于", "1", "2.25", true), " and flag between 1 and 2.25 ");
    for (const char *field : {"addDate", "showDate", "showEndDate"}) {
        row("messages", field, C::date(field, "<=", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) <= '2024-01-02'").arg(field)));
        row("messages", qUtf8Printable(QStringLiteral("%1 介于").arg(field)), C::date(field, "介于", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) between '2024-01-02' and '2024-02-03' ").arg(field)));
    }

    // User search.
    for (const char *field : {"username", "realName", "telephone", "comment", "prohibit", "prohibitCause"})
        row("users", field, C::like(field, "u"), qUtf8Printable(QStringLiteral(" and %1 like '%u%'").arg(field)));
    for (const char *field : {"registerDate", "loginDate"}) {
        row("users", field, C::date(field, "!=", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) != '2024-01-02'").arg(field)));
        row("users", qUtf8Printable(QStringLiteral("%1 介于").arg(field)), C::date(field, "介于", "2024-01-02", "2024-02-03"),
            qUtf8Printable(QStringLiteral(" and date(%1) between '2024-01-02' and '2024-02-03' ").arg(field)));
    }
    row("users", "grade", C::number("grade", "<", "5", "1", true), " and grade < 5 ");
    row("users", "grade 介于", C::number("grade", "介于", "2", "4", true), " and grade between 2 and 4 ");

    // The owner condition of the table windows.
    row("windows", "owner", C::equals("loginName", "o'k"), " and loginName ='o''k'");

    // Typed values stay values: quotes doubled, numbers only as numbers.
    row("safety", "quote in a text", C::like("comment", "it's", true), " and comment like '%it''s%' ");
    row("safety", "owner injection", C::like("loginName", "x%' or '1'='1"), " and loginName like '%x%'' or ''1''=''1%'");
    row("safety", "unknown date operator", C::dateCompare("registerDate", "; drop", "2024-01-02"), "");
    row("safety", "unknown number operator", C::numberCompare("grade", "or", "1"), "");
    for (const char *bad :
         {"", " ", "-", "+", "1 or 1=1", "1e3", "inf", "nan", "0x10", "1,5", "--1", ".5", "- 1", "1.2.3"})
        row("safety", qUtf8Printable(QStringLiteral("not a number \"%1\"").arg(bad)),
            C::numberCompare("flag", ">", bad, true), "");
    row("safety", "range with an empty high end", C::number("remindDateNumber", "介于", "1", ""), "");
    row("safety", "range with a sign as low end", C::numberRange("grade", "-", "3"), "");
    row("safety", "signed number", C::numberCompare("remindDateNumber", "=", "-3"), " and remindDateNumber = -3");
    row("safety", "number with blanks around", C::numberCompare("flag", "=", " 2.0 ", true), " and flag = 2.0 ");
    row("safety", "plus sign dropped", C::numberCompare("remindDateNumber", ">", "+5"), " and remindDateNumber > 5");
    row("safety", "bare point dropped", C::numberRange("flag", "1.", "-2.5"), " and flag between 1 and -2.5 ");
    row("safety", "second value unused outside a range", C::number("grade", ">", "2", "x", true), " and grade > 2 ");
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
