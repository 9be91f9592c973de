// Lists and their counts through the real server: every page is byte for byte
// the reply that a plain ORDER BY id LIMIT/OFFSET query gives, and counts stay
// exact while writers change the table.
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include "conditionparser.h"
#include "entityschema.h"
#include "serverprocess.h"
#include "summarycounts.h"

namespace {

const char *const kConnection = "lists-test";

// One JSON operation over a fresh connection; the reply body as it came.
QByteArray post(const QString &entity, const QString &operation, const QJsonObject &request)
{
    const QByteArray body = QJsonDocument(request).toJson(QJsonDocument::Compact);
    const QByteArray all = ServerProcess::raw(
        "POST /android/" + entity.toUtf8() + '/' + operation.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1:8091\r\n"
        "Connection: close\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size())
        + "\r\n\r\n" + body, 10000);
    return all.mid(all.indexOf("\r\n\r\n") + 4);
}

QJsonObject listRequest(const QString &condition, qint64 pageSize, qint64 curPage, const char *order = "desc")
{
    QJsonObject r{{"curPage", curPage}, {"order", order}, {"pageSize", pageSize}};
    if (!condition.isNull())
        r.insert("conditionStr", condition);
    return r;
}

QSqlDatabase store()
{
    return QSqlDatabase::database(QString::fromLatin1(kConnection));
}

// What the reply must be, read with a plain query through Qt's driver and written
// with QJsonDocument, as the server always answered.
QByteArray expectedReply(const EntitySchema &schema, const QString &condition, qint64 pageSize, qint64 curPage,
                         bool descending, const QStringList &extraSql = {}, const QVariantList &extraValues = {})
{
    SqlCondition cond;
    QString error;
    if (!ConditionParser::parse(condition, schema.conditionFields(), &cond, &error))
        return "refused: " + error.toUtf8();
    QStringList tests = extraSql;
    if (!cond.sql.isEmpty())
        tests.prepend(QLatin1Char('(') + cond.sql + QLatin1Char(')'));
    const QString where = tests.isEmpty() ? QString() : QStringLiteral(" WHERE ") + tests.join(QStringLiteral(" AND "));
    const QVariantList values = cond.values + extraValues;
    QSqlQuery count(store());
    count.prepare(QStringLiteral("SELECT COUNT(*) FROM %1").arg(schema.table()) + where);
    for (const QVariant &v : values)
        count.addBindValue(v);
    if (!count.exec() || !count.next())
        return "count failed: " + count.lastError().text().toUtf8();
    const qint64 total = count.value(0).toLongLong();
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(schema.columnList(), schema.table()) + where
                  + (descending ? QStringLiteral(" ORDER BY id DESC") : QStringLiteral(" ORDER BY id ASC"));
    if (pageSize > 0)
        sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(pageSize).arg((curPage - 1) * pageSize);
    QSqlQuery q(store());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        return "query failed: " + q.lastError().text().toUtf8();
    QJsonArray rows;
    while (q.next()) {
        QJsonObject o{{"id", q.value(0).toLongLong()}};
        for (int i = 0; i < schema.fields.size(); ++i) {
            const EntitySchema::Field &f = schema.fields.at(i);
            const QVariant v = q.value(i + 1);
            if (f.kind == ConditionParser::Integer)
                o.insert(f.name, v.toLongLong());
            else if (f.kind == ConditionParser::Real)
                o.insert(f.name, v.toDouble());
            else
                o.insert(f.name, v.toString());
        }
        if (schema.entity == QLatin1String("user"))
            o.insert(QStringLiteral("password"), QString());
        rows.append(o);
    }
    const QJsonObject envelope{{"resultCode", 1},
                               {"resultMessage", QStringLiteral("查询成功")},
                               {"data", QJsonObject{{"dList", rows}, {"totalCount", total}}}};
    return QJsonDocument(envelope).toJson(QJsonDocument::Compact);
}

bool exec(const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(store());
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        qWarning() << sql << q.lastError().text();
        return false;
    }
    return true;
}

} // namespace

class TestServerLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pagesAreThePlainQuery_data();
    void pagesAreThePlainQuery();
    void dueRowsAreThePlainQuery();
    void unusualStoredValuesAsBefore();
    void writesOutsideTheServerAreCounted();
    void keptRepliesEndWithEveryWrite();
    void countsStayExactUnderWriters();

private:
    void fill();
    ServerProcess server{false};
};

void TestServerLists::initTestCase()
{
    // The server makes the store; the rows go in directly, many at once.
    QVERIFY(server.start());
    server.stop();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
    db.setDatabaseName(server.dataDir() + QStringLiteral("/lanzhou.sqlite"));
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    QVERIFY(db.open());
    fill();
    QVERIFY(server.start());
}

void TestServerLists::cleanupTestCase()
{
    server.stop();
    store().close();
    QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
}

// Rows of every entity over three owners, with the kinds, states, files and
// dates the presets and searches look at; enough of them that pages deep in the
// list are found from remembered positions.
void TestServerLists::fill()
{
    QVERIFY(exec(QStringLiteral("BEGIN")));
    const QString series = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) ");
    const QString owner = QStringLiteral("CASE WHEN i % 7 = 0 THEN 'u2' WHEN i % 11 = 0 THEN 'o''k' ELSE 'u1' END");
    const QString kind = QStringLiteral("CASE i % 8 WHEN 0 THEN '指导笔记' WHEN 1 THEN '学习笔记' WHEN 2 THEN '工作笔记' "
                                        "WHEN 3 THEN '读书笔记' WHEN 4 THEN '有感而发' WHEN 5 THEN '日常生活' "
                                        "WHEN 6 THEN '其它' ELSE '杂项' END");
    const QString planKind = QStringLiteral("CASE i % 7 WHEN 0 THEN '年度计划' WHEN 1 THEN '季度计划' WHEN 2 THEN '月计划' "
                                            "WHEN 3 THEN '周计划' WHEN 4 THEN '日计划' ELSE '其它' END");
    const QString remindDate = QStringLiteral("date('now', 'localtime', (i % 90 - 45) || ' days')");
    const QString stamp = QStringLiteral("datetime('now', 'localtime', (-(i % 2500)) || ' days')");
    QVERIFY(exec(series.arg(5000)
                 + QStringLiteral("INSERT INTO note (mold, isShow, grade, title, content, registerDate, updateDate, "
                                  "isRemind, remindDate, remindDateNumber, image, volume, attachedFile, comment, "
                                  "loginName) SELECT %1, CASE WHEN i % 10 THEN '展示' ELSE '关闭' END, i % 5 + 1, "
                                  "'笔记 \"' || i || '\"', '<p>内容\\' || i || char(10) || '行</p>', %2, %2, "
                                  "CASE WHEN i % 3 THEN '开启' ELSE '关闭' END, %3, i % 6, "
                                  "CASE WHEN i % 13 = 0 THEN 'p' || i || '.png' ELSE '' END, "
                                  "CASE WHEN i % 17 = 0 THEN 'v' || i || '.wav' ELSE '' END, "
                                  "CASE WHEN i % 19 = 0 THEN 'a' || i || '.txt' ELSE '' END, 'it''s', %4 FROM n")
                       .arg(kind, stamp, remindDate, owner)));
    QVERIFY(exec(series.arg(2000)
                 + QStringLiteral("INSERT INTO workPlan (mold, isShow, tag, serialNumber, title, startDate, endDate, "
                                  "completionStatus, score, registerDate, updateDate, isRemind, remindDate, "
                                  "remindDateNumber, image, loginName) SELECT %1, CASE i % 5 WHEN 0 THEN '完成' "
                                  "WHEN 1 THEN '放弃' ELSE '正常' END, '工作', i % 9, '计划 ' || i, %2, %2, "
                                  "(i % 300) / 3.0, i % 100, %3, %3, CASE WHEN i % 2 THEN '开启' ELSE '关闭' END, "
                                  "%2, i % 4, CASE WHEN i % 6 = 0 THEN 'w' || i || '.png' ELSE '' END, %4 FROM n")
                       .arg(planKind, remindDate, stamp, owner)));
    QVERIFY(exec(series.arg(1500)
                 + QStringLiteral("INSERT INTO remind (isRemind, mold, title, registerDate, updateDate, remindDate, "
                                  "remindDateNumber, loginName) SELECT CASE WHEN i % 4 THEN '开启' ELSE '关闭' END, "
                                  "'事件', '提醒 ' || i, %1, %1, %2, i % 3, %3 FROM n")
                       .arg(stamp, remindDate, owner)));
    QVERIFY(exec(series.arg(1500)
                 + QStringLiteral("INSERT INTO accountInfo (accountName, username, registerDate, updateDate, "
                                  "comment, loginName) SELECT '邮箱' || i, 'name' || i, %1, %1, '', %2 FROM n")
                       .arg(stamp, owner)));
    QVERIFY(exec(series.arg(2000)
                 + QStringLiteral("INSERT INTO user (username, password, realName, grade, registerDate, loginDate, "
                                  "prohibit) SELECT 'user' || i, 'hash' || i, '用户' || i, i % 6, %1, %1, '正常' FROM n")
                       .arg(stamp)));
    QVERIFY(exec(series.arg(2000)
                 + QStringLiteral("INSERT INTO message (appOS, showSwitchStr, mold, flag, grade, addDate, showDate, "
                                  "showEndDate, message) SELECT CASE i % 4 WHEN 0 THEN 'windows' WHEN 1 THEN 'android' "
                                  "WHEN 2 THEN 'webMobile' ELSE 'webDesk' END, CASE WHEN i % 3 THEN '展示' ELSE '隐藏' "
                                  "END, CASE i % 3 WHEN 0 THEN 'reminder' WHEN 1 THEN 'about' ELSE 'versions' END, "
                                  "(i % 7) * 0.5, i % 2, %1, %1, %1, '消息 ' || i FROM n")
                       .arg(stamp)));
    QVERIFY(exec(QStringLiteral("COMMIT")));
}

void TestServerLists::pagesAreThePlainQuery_data()
{
    QTest::addColumn<QString>("entity");
    QTest::addColumn<QString>("condition");
    const QDate today = QDate::currentDate();
    const QStringList owners{QString(), QStringLiteral(" and loginName ='u1'")};
    auto add = [](const char *entity, const QString &condition) {
        QTest::addRow("%s %s", entity, qPrintable(condition)) << QString::fromLatin1(entity) << condition;
    };
    // The dashboard's presets as each window sends them (its counts are the same texts).
    // (all of them for an owner, the first few for an administrator, who sends no owner).
    for (const char *entity : {"note", "workPlan", "remind", "accountInfo"})
        for (const QString &owner : owners)
            for (const QString &c : SummaryCounts::conditions(QString::fromLatin1(entity), owner, today)
                                        .mid(0, owner.isEmpty() ? 3 : -1))
                add(entity, c);
    for (const char *entity : {"user", "message"})
        for (const QString &c : SummaryCounts::conditions(QString::fromLatin1(entity), QString(), today))
            add(entity, c);
    // The windows' own lists, the log-in checks and some searches.
    add("note", QString());
    add("note", QStringLiteral(" and loginName ='u1'"));
    add("note", QStringLiteral(" and loginName ='u1' and isShow ='展示'"));
    add("note", QStringLiteral(" and loginName ='o''k'and isShow ='展示'"));
    add("note", QStringLiteral(" and isShow ='展示'"));
    add("note", QStringLiteral(" and loginName ='u1' and 1=1 "));
    add("note", QStringLiteral(" and loginName ='u1' and content like '%1%'"));
    add("note", QStringLiteral(" and (image is null or image ='')  and grade between 2 and 4  and date(remindDate) <= '")
                    + today.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("' "));
    add("workPlan", QStringLiteral(" and loginName ='u1' and isShow ='正常'"));
    add("workPlan", QStringLiteral("and loginName ='u2'"));
    add("workPlan", QStringLiteral(" and completionStatus between 20 and 60  and tag like '%工%'"));
    add("remind", QStringLiteral("and loginName ='u1'"));
    add("remind", QStringLiteral(" and loginName ='u1'and isRemind = '开启'"));
    add("accountInfo", QStringLiteral(" and loginName ='u1'"));
    add("message", QString());
    add("message", QStringLiteral("and appOS = 'windows' and mold = 'reminder' and showSwitchStr = '展示'"));
    add("message", QStringLiteral(" and appOS='windows' and mold = 'about' and showSwitchStr = '展示'"));
    add("message", QStringLiteral(" and grade = 1  and flag >= 1.5 "));
    add("user", QString());
    add("user", QStringLiteral(" and realName like '%1%' and grade between 1 and 3 "));
}

void TestServerLists::pagesAreThePlainQuery()
{
    QFETCH(QString, entity);
    QFETCH(QString, condition);
    const EntitySchema &schema = *EntitySchema::find(entity);
    const QByteArray first = expectedReply(schema, condition, 1, 1, true);
    const qint64 total = QJsonDocument::fromJson(first).object().value("data").toObject().value("totalCount").toInteger();
    if (total <= 1000) // every row at once: pageSize 0
        QCOMPARE(post(entity, QStringLiteral("findByCondition"), listRequest(condition, 0, 1)),
                 expectedReply(schema, condition, 0, 1, true));
    // The first pages, a middle one and the last ones, in both orders; small
    // pages go deeper into the longer lists.
    struct Page
    {
        qint64 size, page;
        bool descending;
    };
    QList<Page> pages;
    for (const qint64 size : {qint64(30), qint64(7)}) {
        if (size == 7 && total < 1200)
            break;
        const qint64 last = qMax<qint64>(1, (total + size - 1) / size);
        if (size == 30)
            pages << Page{size, 1, true} << Page{size, 2, true} << Page{size, last - 1, true} << Page{size, last, true}
                  << Page{size, last + 1, true} << Page{size, 1, false} << Page{size, last, false};
        pages << Page{size, (last + 1) / 2, true} << Page{size, last / 3 + 1, false};
    }
    for (const Page &p : pages) {
        if (p.page < 1)
            continue;
        const QByteArray expected = expectedReply(schema, condition, p.size, p.page, p.descending);
        const QByteArray got = post(entity, QStringLiteral("findByCondition"),
                                    listRequest(condition, p.size, p.page, p.descending ? "desc" : "asc"));
        QVERIFY2(got == expected, qPrintable(QStringLiteral("page %1 of %2 rows, %3: %4")
                                                 .arg(p.page).arg(p.size).arg(p.descending ? "desc" : "asc",
                                                                                QString::fromUtf8(got.left(300)))));
    }
}

void TestServerLists::dueRowsAreThePlainQuery()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QStringList due{QStringLiteral("\"isRemind\" = ?"),
                          QStringLiteral("julianday(date(\"remindDate\")) - \"remindDateNumber\" <= julianday(?)")};
    const QVariantList values{QStringLiteral("开启"), today};
    const QList<QPair<QString, QString>> requests{
        {QStringLiteral("note"), QStringLiteral(" and loginName ='u1' and isShow ='展示' and isRemind = '开启'")},
        {QStringLiteral("workPlan"), QStringLiteral(" and loginName ='u1' and isShow ='正常' and isRemind = '开启'")},
        {QStringLiteral("remind"), QStringLiteral("and isRemind = '开启' and loginName ='u1'")},
        {QStringLiteral("remind"), QStringLiteral(" and loginName ='o''k' and isRemind = '开启'")}};
    for (const auto &r : requests) {
        const EntitySchema &schema = *EntitySchema::find(r.first);
        QCOMPARE(post(r.first, QStringLiteral("findByRemindDay"), listRequest(r.second, 0, 1)),
                 expectedReply(schema, r.second, 0, 1, true, due, values));
        QCOMPARE(post(r.first, QStringLiteral("findByRemindDay"), listRequest(r.second, 30, 2)),
                 expectedReply(schema, r.second, 30, 2, true, due, values));
    }
}

void TestServerLists::unusualStoredValuesAsBefore()
{
    // Values that other programs may leave in the store: numbers in text
    // columns and texts in number columns, bytes that are not UTF-8, a lone
    // surrogate, control characters, very large and fractional numbers.
    QVERIFY(exec(QStringLiteral("INSERT INTO message (appOS, mold, flag, grade, message, comment) VALUES "
                                "('odd', 'x', 'x', '7', CAST(x'41ff42' AS TEXT), ?), "
                                "('odd', 12, 1e300, 2.75, CAST(x'c0af' AS TEXT), x'00ff'), "
                                "('odd', 'tab\tquote\"back\\\\', -0.0, 9007199254740993, ?, '\U0001F600 é'), "
                                "('odd', '', 1.0e16, -3, char(1, 31, 127, 8232), ''), "
                                "('odd', 'words', 0, 1, ?, ?), "
                                // Chinese text, then a surrogate, an overlong form, a cut
                                // character (one to a row: any of them sends its row another way).
                                "('odd', CAST(x'e4b8ade69687eda080e4b8ad' AS TEXT), 0, 1, '', ''), "
                                "('odd', CAST(x'e4b8ade69687e08080e4b8ad' AS TEXT), 0, 1, '', ''), "
                                "('odd', CAST(x'e4b8ade4b8' AS TEXT), 0, 1, '', '')"),
                 {QString(QChar(0xD800)) + QStringLiteral("z"), QStringLiteral("\x01\x02\r\n\b\f"),
                  // Long runs of plain text with the escapes at every offset of an eight-byte word.
                  QStringLiteral("abcdefgh\"ijklmno\\pqrstuvwxyz01234\t56789ABCDEFGHIJ\x1fKLMNOPQRSTUVWXYZ\"\"end"),
                  QStringLiteral("plain ascii text that runs past several words, then 中文 and é then \U0001F600!")}));
    QVERIFY(exec(QStringLiteral("INSERT INTO workPlan (completionStatus, score, serialNumber, title, loginName) "
                                "VALUES (66.67, 'n', 1.5, x'ff', 'odd'), (0.1, 3, 2, 'x', 'odd')")));
    const EntitySchema &messages = *EntitySchema::find(QStringLiteral("message"));
    const QString odd = QStringLiteral(" and appOS = 'odd'");
    QCOMPARE(post(QStringLiteral("message"), QStringLiteral("findByCondition"), listRequest(odd, 0, 1)),
             expectedReply(messages, odd, 0, 1, true));
    QCOMPARE(post(QStringLiteral("message"), QStringLiteral("findByCondition"), listRequest(odd, 2, 2, "asc")),
             expectedReply(messages, odd, 2, 2, false));
    const QString oddPlans = QStringLiteral(" and loginName = 'odd'");
    QCOMPARE(post(QStringLiteral("workPlan"), QStringLiteral("findByCondition"), listRequest(oddPlans, 0, 1)),
             expectedReply(*EntitySchema::find(QStringLiteral("workPlan")), oddPlans, 0, 1, true));
}

void TestServerLists::writesOutsideTheServerAreCounted()
{
    const QString mine = QStringLiteral(" and loginName ='outside'");
    auto total = [&] {
        return QJsonDocument::fromJson(post(QStringLiteral("remind"), QStringLiteral("findByCondition"),
                                            listRequest(mine, 30, 1)))
            .object().value("data").toObject().value("totalCount").toInt(-1);
    };
    QCOMPARE(total(), 0);
    QVERIFY(exec(QStringLiteral("INSERT INTO remind (title, loginName) VALUES ('a', 'outside'), ('b', 'outside')")));
    QCOMPARE(total(), 2);
    QVERIFY(exec(QStringLiteral("DELETE FROM remind WHERE loginName = 'outside' AND title = 'a'")));
    QCOMPARE(total(), 1);
    QVERIFY(exec(QStringLiteral("UPDATE remind SET loginName = 'inside' WHERE loginName = 'outside'")));
    QCOMPARE(total(), 0);
}

void TestServerLists::keptRepliesEndWithEveryWrite()
{
    // The same requests again and again, between writes of every kind, through
    // the server and from outside it, that change a row's text without
    // changing any count: every reply is the store's state of the moment.
    const EntitySchema &notes = *EntitySchema::find(QStringLiteral("note"));
    const QString mine = QStringLiteral(" and loginName ='kept'");
    QVERIFY(exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < 40) "
                                "INSERT INTO note (title, isShow, loginName) SELECT 't' || i, '展示', 'kept' FROM n")));
    const auto newest = [] {
        QSqlQuery q(store());
        return q.exec(QStringLiteral("SELECT MAX(id), MIN(id) FROM note WHERE loginName = 'kept'")) && q.next()
                   ? std::make_pair(q.value(0).toLongLong(), q.value(1).toLongLong())
                   : std::make_pair(qint64(-1), qint64(-1));
    };
    const auto same = [&](const char *step) {
        for (int repeat = 0; repeat < 3; ++repeat) {
            for (const qint64 page : {1, 2}) {
                const QByteArray got = post(QStringLiteral("note"), QStringLiteral("findByCondition"),
                                            listRequest(mine, 30, page));
                if (got != expectedReply(notes, mine, 30, page, true)) {
                    qWarning("after %s, page %lld: %s", step, page, got.left(300).constData());
                    return false;
                }
            }
        }
        return true;
    };
    const auto ok = [](const QByteArray &reply) {
        return QJsonDocument::fromJson(reply).object().value("resultCode").toInt() == 1;
    };
    QVERIFY(same("filling"));
    QVERIFY(exec(QStringLiteral("UPDATE note SET title = 'outside' WHERE id = ?"), {newest().first}));
    QVERIFY(same("a text changed outside"));
    QVERIFY(exec(QStringLiteral("UPDATE note SET content = 'deep' WHERE id = ?"), {newest().second}));
    QVERIFY(same("a text on the last page changed outside"));
    QVERIFY(ok(post(QStringLiteral("note"), QStringLiteral("update"),
                    QJsonObject{{"dList", QJsonArray{QJsonObject{{"id", newest().first}, {"title", "inside"}}}}})));
    QVERIFY(same("a text changed through the server"));
    QVERIFY(ok(post(QStringLiteral("note"), QStringLiteral("add"),
                    QJsonObject{{"dList", QJsonArray{QJsonObject{{"title", "added"}, {"loginName", "kept"}}}}})));
    QVERIFY(same("an add"));
    QVERIFY(ok(post(QStringLiteral("note"), QStringLiteral("delete"),
                    QJsonObject{{"dList", QJsonArray{QJsonObject{{"id", newest().first}}}}})));
    QVERIFY(same("a delete"));
    QVERIFY(exec(QStringLiteral("INSERT INTO remind (title, loginName) VALUES ('elsewhere', 'kept')")));
    QVERIFY(same("a write to another table"));
}

void TestServerLists::countsStayExactUnderWriters()
{
    // Eight writers add and delete notes of one owner while readers page through
    // that owner's lists. The writers log on one clock when each add was
    // acknowledged and each delete sent and acknowledged, so a reply can be
    // held against the committed states it may have been read from: a page
    // that holds every row holds every note acknowledged before the request and
    // not deleted since, no note whose delete was acknowledged before it, and
    // exactly totalCount rows; any page holds as many rows as totalCount leaves
    // for it, all matching and in order.
    constexpr int writers = 8, rounds = 12, readers = 4;
    struct Note
    {
        bool shown;
        qint64 added, deleting = std::numeric_limits<qint64>::max(), deleted = std::numeric_limits<qint64>::max();
    };
    QMutex lock;
    QHash<qint64, Note> notes;
    QAtomicInteger<qint64> clock = 0;
    QAtomicInt writing = writers, replies = 0;
    QStringList problems;
    auto problem = [&](const QString &text) {
        QMutexLocker guard(&lock);
        problems << text;
    };
    QList<QThread *> threads;
    for (int w = 0; w < writers; ++w) {
        threads << QThread::create([&, w] {
            for (int i = 0; i < rounds; ++i) {
                const bool shown = i % 3 != 0;
                const QJsonObject note{{"title", QStringLiteral("w%1-%2").arg(w).arg(i)}, {"loginName", "busy"},
                                       {"isShow", shown ? "展示" : "关闭"}, {"mold", "工作笔记"}};
                const QJsonObject added = QJsonDocument::fromJson(post(QStringLiteral("note"), QStringLiteral("add"),
                                                                       QJsonObject{{"dList", QJsonArray{note}}}))
                                              .object();
                const qint64 id = added.value("data").toInteger();
                if (added.value("resultCode").toInt() != 1) {
                    problem(QStringLiteral("add refused"));
                    continue;
                }
                {
                    QMutexLocker guard(&lock);
                    notes.insert(id, Note{shown, ++clock});
                }
                if (i % 2 == 0)
                    continue;
                {
                    QMutexLocker guard(&lock);
                    notes[id].deleting = ++clock;
                }
                const QJsonObject gone{{"dList", QJsonArray{QJsonObject{{"id", id}}}}};
                if (QJsonDocument::fromJson(post(QStringLiteral("note"), QStringLiteral("delete"), gone))
                        .object().value("resultCode").toInt() != 1)
                    problem(QStringLiteral("delete refused"));
                QMutexLocker guard(&lock);
                notes[id].deleted = ++clock;
            }
            writing.fetchAndSubRelaxed(1);
        });
    }
    const QStringList conditions{QStringLiteral(" and loginName ='busy'"),
                                 QStringLiteral(" and loginName ='busy' and isShow ='展示'"),
                                 QStringLiteral(" and loginName ='busy' and mold ='工作笔记' and isShow ='展示'")};
    for (int r = 0; r < readers; ++r) {
        threads << QThread::create([&, r] {
            for (int turn = 0; writing.loadRelaxed() > 0; ++turn) {
                const QString &condition = conditions.at((r + turn) % conditions.size());
                const bool shownOnly = condition.contains(QStringLiteral("展示"));
                const bool everything = turn % 2 == 0;
                const qint64 pageSize = everything ? 100000 : 3;
                const qint64 page = everything ? 1 : 1 + turn % 5;
                const qint64 sent = ++clock;
                const QJsonObject data = QJsonDocument::fromJson(post(QStringLiteral("note"),
                                                                      QStringLiteral("findByCondition"),
                                                                      listRequest(condition, pageSize, page)))
                                             .object().value("data").toObject();
                const qint64 answered = ++clock;
                replies.fetchAndAddRelaxed(1);
                const QJsonArray rows = data.value("dList").toArray();
                const qint64 total = data.value("totalCount").toInteger(-1);
                if (total < 0 || rows.size() != qBound<qint64>(0, total - (page - 1) * pageSize, pageSize)) {
                    problem(QStringLiteral("%1 page %2: %3 rows, totalCount %4").arg(condition).arg(page)
                                .arg(rows.size()).arg(total));
                    continue;
                }
                QSet<qint64> listed;
                qint64 last = std::numeric_limits<qint64>::max();
                for (const QJsonValue &v : rows) {
                    const QJsonObject row = v.toObject();
                    const qint64 id = row.value("id").toInteger();
                    listed << id;
                    if (id >= last || row.value("loginName").toString() != QLatin1String("busy")
                        || (shownOnly && row.value("isShow").toString() != QStringLiteral("展示")))
                        problem(QStringLiteral("%1: row %2 out of place").arg(condition).arg(id));
                    last = id;
                }
                QMutexLocker guard(&lock);
                for (auto it = notes.cbegin(); it != notes.cend(); ++it) {
                    if (shownOnly && !it->shown)
                        continue;
                    if (listed.contains(it.key()) && it->deleted < sent)
                        problems << QStringLiteral("%1: deleted note %2 listed").arg(condition).arg(it.key());
                    if (everything && !listed.contains(it.key()) && it->added < sent && it->deleting > answered)
                        problems << QStringLiteral("%1: note %2 missing, totalCount %3").arg(condition).arg(it.key()).arg(total);
                }
            }
        });
    }
    for (QThread *t : threads)
        t->start();
    for (QThread *t : threads) {
        QVERIFY(t->wait(120000));
        delete t;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 10).join('\n')));
    QVERIFY(replies.loadRelaxed() > 20);
    // At rest the pages and counts are those of the store.
    for (const QString &condition : conditions)
        QCOMPARE(post(QStringLiteral("note"), QStringLiteral("findByCondition"), listRequest(condition, 30, 1)),
                 expectedReply(*EntitySchema::find(QStringLiteral("note")), condition, 30, 1, true));
}

QTEST_MAIN(TestServerLists)
#include "tst_serverlists.moc"
