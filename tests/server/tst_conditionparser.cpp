// The condition parser against a real SQLite table: every fragment shape the
// client writes must select the right rows, and hostile text must be refused.
#include <QtTest>

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "conditionparser.h"

namespace {

const char *const kConnection = "conditionparser-test";

QHash<QString, ConditionParser::FieldKind> testFields()
{
    QHash<QString, ConditionParser::FieldKind> fields;
    for (const char *name : {"loginName", "isShow", "isRemind", "mold", "title", "content", "image", "volume",
                             "attachedFile", "remindFrequency", "remindMethod", "remindMethodBody", "comment",
                             "registerDate", "updateDate", "remindDate", "appOS", "showSwitchStr", "loginDate",
                             "tag"})
        fields.insert(QString::fromLatin1(name), ConditionParser::Text);
    for (const char *name : {"id", "grade", "remindDateNumber"})
        fields.insert(QString::fromLatin1(name), ConditionParser::Integer);
    for (const char *name : {"completionStatus", "flag"})
        fields.insert(QString::fromLatin1(name), ConditionParser::Real);
    return fields;
}

// Characters and words the parser may put into SQL; everything else must be bound.
bool sqlIsClean(const QString &sql)
{
    static const QRegularExpression allowed(QStringLiteral(
        "\"[A-Za-z][A-Za-z0-9_]*\"|\\?|date\\(|\\b(AND|OR|IS|NOT|NULL|LIKE|BETWEEN)\\b|[()=!<>]+|\\s+"));
    QString rest = sql;
    rest.remove(allowed);
    return rest.isEmpty();
}

} // namespace

class TestConditionParser : public QObject
{
    Q_OBJECT

private:
    QString matchingIds(const SqlCondition &condition)
    {
        QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(kConnection)));
        const QString where = condition.sql.isEmpty() ? QStringLiteral("1") : QLatin1Char('(') + condition.sql + QLatin1Char(')');
        if (!query.prepare(QStringLiteral("SELECT id FROM rec WHERE ") + where + QStringLiteral(" ORDER BY id")))
            return QStringLiteral("prepare failed: ") + query.lastError().text();
        for (const QVariant &value : condition.values)
            query.addBindValue(value);
        if (!query.exec())
            return QStringLiteral("exec failed: ") + query.lastError().text();
        QStringList ids;
        while (query.next())
            ids << query.value(0).toString();
        return ids.join(QLatin1Char(','));
    }

    int rowCount()
    {
        QSqlQuery query(QSqlDatabase::database(QString::fromLatin1(kConnection)));
        if (!query.exec(QStringLiteral("SELECT count(*) FROM rec")) || !query.next())
            return -1;
        return query.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(QStringLiteral(
                     "CREATE TABLE rec (id INTEGER PRIMARY KEY, loginName TEXT, isShow TEXT, isRemind TEXT, mold TEXT,"
                     " title TEXT, content TEXT, image TEXT, volume TEXT, attachedFile TEXT, grade INTEGER,"
                     " remindFrequency TEXT, remindMethod TEXT, remindMethodBody TEXT, comment TEXT, registerDate TEXT,"
                     " updateDate TEXT, remindDate TEXT, remindDateNumber INTEGER, completionStatus REAL, flag REAL,"
                     " appOS TEXT, showSwitchStr TEXT, loginDate TEXT, tag TEXT)")),
                 qPrintable(query.lastError().text()));
        // id, loginName, isShow, isRemind, mold, title, content, image, volume, attachedFile, grade,
        // remindFrequency, remindMethod, remindMethodBody, comment, registerDate, updateDate, remindDate,
        // remindDateNumber, completionStatus, flag, appOS, showSwitchStr, loginDate, tag
        const QList<QVariantList> rows = {
            {1, "u", "展示", "开启", "工作笔记", "O'Brien's plan", "alpha 50% done", "a.png", "", QVariant(), 3,
             "", "邮件", "a@b.cn", "first", "2026-12-06 07:41:27", "2026-12-06 23:59:59", "2026-12-06", 3, 50.5,
             1.0, "windows", "展示", "2026-12-01 10:00:00", "年度"},
            {2, "v", "完成", "关闭", "学习笔记", "study", "beta", QVariant(), "v.mp3", "f_1.pdf", 1, "每日邮件提醒",
             QVariant(), QVariant(), QVariant(), "2026-11-05 07:41:26", "2026-11-05 07:41:26", "2026-12-13", 0, 100.0,
             2.5, "android", "不展示", QVariant(), ""},
            {3, "u", "正常", "开启", "其它", "a_b", "gamma", "", QVariant(), "", 5, QVariant(), "", "", "x'y",
             "2025-01-01 00:00:00", "2025-01-02 00:00:00", "", 10, 0.0, 0.0, "webDesk", "展示", "2026-11-06 00:00:00",
             "季度"},
            {4, "o'k", "展示", "开启", "日常生活", "axb", "100%", "b.jpg", "c.mp3", "g.zip", 2, "到前置期邮件提醒",
             "邮件", "q@q.q", QVariant(), "2026-12-05 12:00:00", "2026-12-05 12:00:00", "2026-11-30", -1, 20.0, 1.5,
             "windows", "展示", "2026-12-06 08:00:00", "年度"},
        };
        for (const QVariantList &row : rows) {
            QVERIFY(query.prepare(QStringLiteral("INSERT INTO rec VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")));
            for (const QVariant &value : row)
                query.addBindValue(value);
            QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        }
        QCOMPARE(rowCount(), 4);
    }

    void cleanupTestCase()
    {
        QSqlDatabase::database(QString::fromLatin1(kConnection)).close();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
    }

    void acceptedSelectsTheRightRows_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("ids");

        // Empty, fixed and owner conditions.
        QTest::newRow("empty") << "" << "1,2,3,4";
        QTest::newRow("blanks only") << "   " << "1,2,3,4";
        QTest::newRow("find all") << " and 1=1 " << "1,2,3,4";
        QTest::newRow("find all no blank") << "and 1=1" << "1,2,3,4";
        QTest::newRow("owner, no leading blank") << "and loginName ='u'" << "1,3";
        QTest::newRow("owner, leading blank") << " and loginName ='u'" << "1,3";
        QTest::newRow("owner quote doubled") << " and loginName ='o''k'" << "4";
        QTest::newRow("quote then and, no blank") << " and loginName ='u'and isShow ='展示'" << "1";
        QTest::newRow("no blank either side") << "and loginName='u'and grade=5" << "3";
        QTest::newRow("tags query") << "and isShow = '正常'  and loginName = 'u' " << "3";
        QTest::newRow("keywords any case") << " AND isShow = '展示' AnD remindDate IS NOT NULL " << "1,4";
        QTest::newRow("field name any case") << "and ISSHOW ='展示'" << "1,4";
        QTest::newRow("tabs and line breaks") << " and\tgrade\n= 1" << "2";

        // Log-in checks, instructions, about, message presets.
        QTest::newRow("windows messages")
            << "and appOS = 'windows' and mold = '工作笔记' and showSwitchStr = '展示'" << "1";
        QTest::newRow("about, no blanks round =")
            << " and appOS='webDesk' and mold = '其它' and showSwitchStr = '展示'" << "3";
        QTest::newRow("message preset") << " and showSwitchStr = '展示' and appOS = 'windows'" << "1,4";

        // Comparisons and numbers without quotes.
        QTest::newRow("grade >") << " and grade > 2 " << "1,3";
        QTest::newRow("grade >=") << " and grade >= 3 " << "1,3";
        QTest::newRow("grade <") << " and grade < 2 " << "2";
        QTest::newRow("grade <=") << " and grade <= 2 " << "2,4";
        QTest::newRow("grade =") << " and grade = 5 " << "3";
        QTest::newRow("grade !=") << " and grade != 3 " << "2,3,4";
        QTest::newRow("grade <>") << " and grade <> 3 " << "2,3,4";
        QTest::newRow("number on the left") << " and 3 < grade" << "3";
        QTest::newRow("grade between") << " and grade between 2 and 3 " << "1,4";
        QTest::newRow("negative number") << " and remindDateNumber > -1" << "1,2,3";
        QTest::newRow("days with IS NOT NULL")
            << " and remindDate IS NOT NULL and remindDateNumber between -1 and 0 " << "2,4";
        QTest::newRow("real >=") << " and completionStatus >= 50.5 " << "1,2";
        QTest::newRow("flag >") << " and flag > 1 " << "2,4";
        QTest::newRow("flag between") << " and flag between 1 and 1.5 " << "1,4";

        // like, with % and _ as wildcards and doubled quotes.
        QTest::newRow("like") << " and mold like '%笔记%' " << "1,2";
        QTest::newRow("like no trailing blank") << "and title like '%study%'" << "2";
        QTest::newRow("like doubled quote") << " and title like '%O''Brien%'" << "1";
        QTest::newRow("like underscore wildcard") << " and title like '%a_b%'" << "3,4";
        QTest::newRow("like percent typed") << " and content like '%50%%'" << "1";
        QTest::newRow("like choice") << " and isRemind like '%开启%' " << "1,3,4";
        QTest::newRow("like attack text stays text") << " and title like '%'' or 1=1 --%'" << "";

        // Presence tests.
        QTest::newRow("image present") << "and isShow ='展示' and (image is not null and image !='') " << "1,4";
        QTest::newRow("empty text is not null") << " and image =''" << "3";
        QTest::newRow("null is not empty text") << " and image is null" << "2";
        QTest::newRow("image absent") << " and (image is null or image ='') " << "2,3";
        QTest::newRow("method absent, two blanks") << " and (remindMethod is  null or remindMethod ='') " << "2,3";
        QTest::newRow("frequency absent, no blank") << " and (remindFrequency is null or remindFrequency='') " << "1,3";
        QTest::newRow("all shown states") << " and isShow is not null  " << "1,2,3,4";
        QTest::newRow("nested groups")
            << " and ((grade = 1 or grade = 5) and (loginName = 'v' or loginName = 'u'))" << "2,3";

        // Dates: date(field) with dates and timestamps, bare remindDate.
        QTest::newRow("date =") << " and date(registerDate) = '2026-12-06'" << "1";
        QTest::newRow("date >") << " and date(registerDate) > '2026-11-05'" << "1,4";
        QTest::newRow("date >=") << " and date(registerDate) >= '2026-11-05' " << "1,2,4";
        QTest::newRow("date <") << " and date(registerDate) < '2026-11-05'" << "3";
        QTest::newRow("date !=") << " and date(registerDate) != '2026-12-06'" << "2,3,4";
        QTest::newRow("date between dates") << " and date(remindDate) between '2026-12-06' and '2026-12-13' " << "1,2";
        QTest::newRow("date between timestamps keeps boundary days")
            << " and date(registerDate) between '2026-11-05 07:41:27' and '2026-12-06 07:41:27'" << "1,2,4";
        QTest::newRow("date < timestamp") << " and date(registerDate) < '2026-12-06 00:00:01'" << "2,3,4";
        QTest::newRow("date = timestamp") << " and date(updateDate) = '2026-12-06 00:00:00'" << "1";
        QTest::newRow("login range") << " and date(loginDate) between '2026-11-06 07:41:27' and '2026-12-06 07:41:27'"
                                     << "1,3,4";
        QTest::newRow("bare remindDate") << " and remindDate = '2026-12-06'" << "1";
        QTest::newRow("expired") << "and isRemind = '开启' and date(remindDate) < '2026-12-06'" << "4";
        QTest::newRow("7 days") << "and isRemind = '开启' and date(remindDate) between '2026-12-06' and '2026-12-13'"
                                << "1";
        QTest::newRow("after") << "and isRemind = '开启' and date(remindDate) > '2026-12-05'" << "1";
        QTest::newRow("reminder preset with owner after")
            << "and isRemind = '开启' and remindDate = '2026-12-06' and loginName ='u'" << "1";
    }

    void acceptedSelectsTheRightRows()
    {
        QFETCH(QString, condition);
        QFETCH(QString, ids);
        SqlCondition out;
        QString error;
        QVERIFY2(ConditionParser::parse(condition, testFields(), &out, &error), qPrintable(error));
        QVERIFY2(sqlIsClean(out.sql), qPrintable(out.sql));
        QCOMPARE(int(out.sql.count(QLatin1Char('?'))), int(out.values.size()));
        QCOMPARE(matchingIds(out), ids);
    }

    void literalsAreBoundNeverPasted()
    {
        SqlCondition out;
        QString error;
        QVERIFY(ConditionParser::parse(QStringLiteral(" and title = 'x''); drop table rec; --' and grade = 7 "),
                                       testFields(), &out, &error));
        QCOMPARE(out.sql, QStringLiteral("\"title\" = ? AND \"grade\" = ?"));
        QCOMPARE(out.values, (QVariantList{QStringLiteral("x'); drop table rec; --"), qlonglong(7)}));
        QCOMPARE(matchingIds(out), QString());
        QCOMPARE(rowCount(), 4);

        // A timestamp against date(field) binds its date part only.
        QVERIFY(ConditionParser::parse(QStringLiteral(" and date(registerDate) between '2026-11-05 07:41:27' and '2026-12-06 07:41:27'"),
                                       testFields(), &out, &error));
        QCOMPARE(out.sql, QStringLiteral("date(\"registerDate\") BETWEEN ? AND ?"));
        QCOMPARE(out.values, (QVariantList{QStringLiteral("2026-11-05"), QStringLiteral("2026-12-06")}));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("reason");

        QTest::newRow("classic injection") << "' or 1=1 --" << "引号";
        QTest::newRow("closed quote then comment") << " and title = '' or 1=1 --" << "注释";
        QTest::newRow("top-level or") << " and title = 'a' or 1=1" << "or";
        QTest::newRow("leading or") << " or 1=1" << "格式";
        QTest::newRow("statement after") << " and title = 'a'; drop table rec" << "分号";
        QTest::newRow("statement alone") << "; drop table rec" << "分号";
        QTest::newRow("block comment") << " and title = 'a' /* x */" << "注释";
        QTest::newRow("hash") << " and title = 'a' # x" << "字符";
        QTest::newRow("unknown field") << " and password = 'x'" << "未知字段";
        QTest::newRow("unknown field in date") << " and date(birthday) = '2026-01-01'" << "未知字段";
        QTest::newRow("sub-select") << " and (select title from rec) = 'a'" << "SQL";
        QTest::newRow("in sub-select") << " and id in (select id from rec)" << "格式";
        QTest::newRow("union") << " and title = 'a' union select title from rec" << "格式";
        QTest::newRow("parenthesised select") << " and grade = (select 1)" << "格式";
        QTest::newRow("unknown function") << " and upper(title) = 'A'" << "函数";
        QTest::newRow("date of now") << " and date('now') = '2026-12-06'" << "格式";
        QTest::newRow("unclosed parenthesis") << " and (grade = 1" << "括号";
        QTest::newRow("extra parenthesis") << " and grade = 1)" << "括号";
        QTest::newRow("unclosed quote") << " and title = 'abc" << "引号";
        QTest::newRow("empty number") << " and flag >  " << "不完整";
        QTest::newRow("and alone") << "and" << "不完整";
        QTest::newRow("trailing and") << " and grade = 1 and" << "不完整";
        QTest::newRow("field without test") << " and grade" << "grade";
        QTest::newRow("two tests unjoined") << " and grade = 1 grade = 2" << "格式";
        QTest::newRow("not a date") << " and date(registerDate) = 'yesterday'" << "日期";
        QTest::newRow("impossible date") << " and date(registerDate) > '2026-13-01'" << "日期";
        QTest::newRow("date against number") << " and date(registerDate) > 20261201" << "日期";
        QTest::newRow("date of a number field") << " and date(grade) = '2026-01-01'" << "date";
        QTest::newRow("like a number") << " and title like 5" << "like";
        QTest::newRow("like on a literal") << " and 'a' like 'a'" << "like";
        QTest::newRow("double quotes") << " and title = \"x\"" << "字符";
        QTest::newRow("backquotes") << " and `title` = 'x'" << "字符";
        QTest::newRow("not") << " and not grade = 1" << "格式";
        QTest::newRow("double equals") << " and title == 'x'" << "格式";
        QTest::newRow("number too large") << " and grade = 99999999999999999999" << "数字";
        QTest::newRow("number glued to word") << " and grade = 1abc" << "数字";
        QTest::newRow("control character") << QStringLiteral(" and grade = 1") + QChar(0) << "字符";
        QTest::newRow("too long") << QStringLiteral(" and title like '%") + QString(8200, QLatin1Char('a'))
                                         + QStringLiteral("%'")
                                  << "过长";
        QTest::newRow("too deep") << QStringLiteral("and ") + QString(20, QLatin1Char('(')) + QStringLiteral("grade = 1")
                                         + QString(20, QLatin1Char(')'))
                                  << "嵌套";
    }

    void refused()
    {
        QFETCH(QString, condition);
        QFETCH(QString, reason);
        SqlCondition out;
        out.sql = QStringLiteral("untouched");
        QString error;
        QVERIFY(!ConditionParser::parse(condition, testFields(), &out, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(out.sql, QStringLiteral("untouched"));
        QVERIFY(out.values.isEmpty());
        QVERIFY(!ConditionParser::parse(condition, testFields(), &out, nullptr));
    }

    // Random token soup: whatever the parser accepts must be valid SQL that runs.
    void everythingAcceptedRuns()
    {
        const QStringList vocabulary = {
            "and", "AND", "or", "(", ")", "=", "!=", "<>", "<", ">=", "like", "between", "is", "not", "null",
            "grade", "title", "date(registerDate)", "date(title)", "registerDate", "'2026-12-06'",
            "'2026-12-06 07:41:27'", "'%a%'", "''", "'it''s'", "3", "-1", "2.5", "1=1",
            "and grade > 2", "and title like '%a%'", "and (image is null or image = '')",
            "and date(registerDate) between '2026-01-01' and '2026-12-06 07:41:27'"};
        QRandomGenerator random(20261206);
        int accepted = 0;
        for (int round = 0; round < 20000; ++round) {
            QStringList words;
            const int length = 1 + int(random.bounded(9));
            for (int i = 0; i < length; ++i)
                words << vocabulary.at(int(random.bounded(qsizetype(vocabulary.size()))));
            const QString condition = words.join(QLatin1Char(' '));
            SqlCondition out;
            QString error;
            if (!ConditionParser::parse(condition, testFields(), &out, &error)) {
                QVERIFY2(!error.isEmpty(), qPrintable(condition));
                continue;
            }
            ++accepted;
            QVERIFY2(sqlIsClean(out.sql), qPrintable(condition + QStringLiteral(" -> ") + out.sql));
            const QString ids = matchingIds(out);
            QVERIFY2(!ids.contains(QStringLiteral("failed")), qPrintable(condition + QStringLiteral(" -> ") + ids));
        }
        QVERIFY(accepted > 200);
    }

    void fieldsAreCheckedPerEntity()
    {
        QHash<QString, ConditionParser::FieldKind> messageFields{{QStringLiteral("appOS"), ConditionParser::Text},
                                                                  {QStringLiteral("mold"), ConditionParser::Text}};
        SqlCondition out;
        QString error;
        QVERIFY(ConditionParser::parse(QStringLiteral("and appOS = 'windows' and mold = 'about'"), messageFields, &out, &error));
        QVERIFY(!ConditionParser::parse(QStringLiteral(" and loginName ='u'"), messageFields, &out, &error));
        QVERIFY(error.contains(QStringLiteral("loginName")));
        QVERIFY(!ConditionParser::parse(QStringLiteral(" and grade = 1"), {}, &out, &error));
        QVERIFY(ConditionParser::parse(QStringLiteral(" and 1=1 "), {}, &out, &error));
    }

    void lengthLimitIsInBytes()
    {
        // 8 KiB of condition text is fine, one byte more is not.
        const QString head = QStringLiteral(" and title like '%");
        const QString tail = QStringLiteral("%'");
        const int room = ConditionParser::maxLength - int(head.size() + tail.size());
        SqlCondition out;
        QString error;
        QVERIFY2(ConditionParser::parse(head + QString(room, QLatin1Char('a')) + tail, testFields(), &out, &error),
                 qPrintable(error));
        QVERIFY(!ConditionParser::parse(head + QString(room + 1, QLatin1Char('a')) + tail, testFields(), &out, &error));
        // Chinese text counts three bytes a character.
        QVERIFY(!ConditionParser::parse(head + QString(room / 3 + 1, QChar(0x5C9A)) + tail, testFields(), &out, &error));
    }
};

QTEST_GUILESS_MAIN(TestConditionParser)
#include "tst_conditionparser.moc"
