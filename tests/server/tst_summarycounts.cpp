// The summary conditions: the dashboard's preset texts in the dashboard's order,
// each parsed and counted on SQLite tables of dated rows.
#include <QtTest>

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "conditionparser.h"
#include "summarycounts.h"

namespace {

const char *const kConnection = "summarycounts-test";
const QDate kToday(2026, 12, 6);
const QString kOwner = QStringLiteral(" and loginName ='u'");

using Fields = QHash<QString, ConditionParser::FieldKind>;

// The record fields of each entity, as the server stores them.
Fields entityFields(const QString &entity)
{
    static const QHash<QString, QStringList> texts = {
        {QStringLiteral("accountInfo"),
         QStringLiteral("accountName username password userRealName eMail telephone information1 information2 "
                        "registerDate updateDate comment loginName").split(QLatin1Char(' '))},
        {QStringLiteral("note"),
         QStringLiteral("mold isShow title content address registerDate updateDate isRemind remindMethod "
                        "remindMethodBody remindFrequency remindDate image volume attachedFile comment loginName")
             .split(QLatin1Char(' '))},
        {QStringLiteral("workPlan"),
         QStringLiteral("mold isShow tag title target gainProfit startDate endDate strategy measurableIndicator "
                        "actionPlan needResources difficulty auditor registerDate updateDate isRemind remindMethod "
                        "remindMethodBody remindFrequency remindDate image comment loginName")
             .split(QLatin1Char(' '))},
        {QStringLiteral("remind"),
         QStringLiteral("isRemind mold title content address registerDate updateDate remindDate remindMethod "
                        "remindMethodBody comment loginName").split(QLatin1Char(' '))},
        {QStringLiteral("message"),
         QStringLiteral("appOS showSwitchStr mold addDate showDate showEndDate message comment").split(QLatin1Char(' '))},
        {QStringLiteral("user"),
         QStringLiteral("username password realName telephone eMail administrator registerDate userImage loginDate "
                        "prohibit prohibitCause comment").split(QLatin1Char(' '))},
    };
    static const QHash<QString, QStringList> integers = {
        {QStringLiteral("accountInfo"), {QStringLiteral("id")}},
        {QStringLiteral("note"), {QStringLiteral("id"), QStringLiteral("grade"), QStringLiteral("remindDateNumber")}},
        {QStringLiteral("workPlan"),
         {QStringLiteral("id"), QStringLiteral("serialNumber"), QStringLiteral("score"), QStringLiteral("remindDateNumber")}},
        {QStringLiteral("remind"), {QStringLiteral("id"), QStringLiteral("remindDateNumber")}},
        {QStringLiteral("message"), {QStringLiteral("id"), QStringLiteral("grade")}},
        {QStringLiteral("user"), {QStringLiteral("id"), QStringLiteral("grade")}},
    };
    static const QHash<QString, QStringList> reals = {
        {QStringLiteral("workPlan"), {QStringLiteral("completionStatus")}},
        {QStringLiteral("message"), {QStringLiteral("flag")}},
    };
    Fields fields;
    for (const QString &name : texts.value(entity))
        fields.insert(name, ConditionParser::Text);
    for (const QString &name : integers.value(entity))
        fields.insert(name, ConditionParser::Integer);
    for (const QString &name : reals.value(entity))
        fields.insert(name, ConditionParser::Real);
    return fields;
}

QString day(int offset)
{
    return kToday.addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

QString stamp(int offset, const char *time)
{
    return day(offset) + QLatin1Char(' ') + QLatin1String(time);
}

// Timestamps carry the time of the call; tests compare them as "<date> T".
QStringList maskTimes(QStringList conditions)
{
    static const QRegularExpression time(QStringLiteral(" \\d\\d:\\d\\d:\\d\\d'"));
    for (QString &condition : conditions)
        condition.replace(time, QStringLiteral(" T'"));
    return conditions;
}

} // namespace

class TestSummaryCounts : public QObject
{
    Q_OBJECT

private:
    QSqlDatabase db() { return QSqlDatabase::database(QString::fromLatin1(kConnection)); }

    bool fill(const QString &entity, const QList<QVariantMap> &rows)
    {
        const Fields fields = entityFields(entity);
        QStringList columns;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
            const char *type = it.value() == ConditionParser::Text      ? "TEXT"
                               : it.value() == ConditionParser::Integer ? "INTEGER"
                                                                        : "REAL";
            columns << QStringLiteral("\"%1\" %2").arg(it.key(), QLatin1String(type));
        }
        QSqlQuery query(db());
        if (!query.exec(QStringLiteral("DROP TABLE IF EXISTS \"%1\"").arg(entity))
            || !query.exec(QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(entity, columns.join(QLatin1Char(','))))) {
            qWarning() << query.lastError().text();
            return false;
        }
        for (const QVariantMap &row : rows) {
            QStringList names, marks;
            for (auto it = row.cbegin(); it != row.cend(); ++it) {
                names << QLatin1Char('"') + it.key() + QLatin1Char('"');
                marks << QStringLiteral("?");
            }
            query.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                              .arg(entity, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
            for (const QVariant &value : row)
                query.addBindValue(value);
            if (!query.exec()) {
                qWarning() << query.lastError().text();
                return false;
            }
        }
        return true;
    }

    // The "-"-joined counts text, as the server's findOfSummary reply carries it.
    QString countsText(const QString &entity, const QString &owner)
    {
        QStringList counts;
        for (const QString &condition : SummaryCounts::conditions(entity, owner, kToday)) {
            SqlCondition sql;
            QString error;
            if (!ConditionParser::parse(condition, entityFields(entity), &sql, &error))
                return QStringLiteral("refused: ") + condition + QStringLiteral(" / ") + error;
            QSqlQuery query(db());
            query.prepare(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(entity)
                          + (sql.sql.isEmpty() ? QString() : QStringLiteral(" WHERE (") + sql.sql + QLatin1Char(')')));
            for (const QVariant &value : sql.values)
                query.addBindValue(value);
            if (!query.exec() || !query.next())
                return QStringLiteral("failed: ") + query.lastError().text();
            counts << query.value(0).toString();
        }
        return counts.join(QLatin1Char('-'));
    }

private slots:
    void initTestCase()
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
        database.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(database.open());
    }

    void cleanupTestCase()
    {
        QSqlDatabase::database(QString::fromLatin1(kConnection)).close();
        QSqlDatabase::removeDatabase(QString::fromLatin1(kConnection));
    }

    void positionsPerEntity_data()
    {
        QTest::addColumn<QString>("entity");
        QTest::addColumn<int>("positions");
        QTest::newRow("remind") << "remind" << 7;
        QTest::newRow("note") << "note" << 17;
        QTest::newRow("workPlan") << "workPlan" << 15;
        QTest::newRow("accountInfo") << "accountInfo" << 7;
        QTest::newRow("user") << "user" << 7;
        QTest::newRow("message") << "message" << 7;
        QTest::newRow("unknown") << "android" << 0;
    }

    void positionsPerEntity()
    {
        QFETCH(QString, entity);
        QFETCH(int, positions);
        for (const QString &owner : {QString(), kOwner, QStringLiteral(" and loginName ='o''k'")}) {
            const QStringList conditions = SummaryCounts::conditions(entity, owner, kToday);
            QCOMPARE(int(conditions.size()), positions);
            for (const QString &condition : conditions) {
                SqlCondition sql;
                QString error;
                QVERIFY2(ConditionParser::parse(condition, entityFields(entity), &sql, &error),
                         qPrintable(condition + QStringLiteral(" / ") + error));
            }
        }
    }

    void reminderTextsAreTheDashboardPresets()
    {
        QCOMPARE(SummaryCounts::conditions(QStringLiteral("remind"), kOwner, kToday),
                 (QStringList{
                     QStringLiteral(" and isRemind = '开启' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and date(remindDate) < '2026-12-06' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and remindDate = '2026-12-06' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and date(remindDate) between '2026-12-06' and '2026-12-13' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and date(remindDate) between '2026-12-14' and '2026-12-21' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and date(remindDate) between '2026-12-22' and '2027-01-05' and loginName ='u'"),
                     QStringLiteral("and isRemind = '开启' and date(remindDate) > '2027-01-05' and loginName ='u'"),
                 }));
    }

    void noteAndPlanTextsPutTheOwnerFirst()
    {
        const QStringList notes = SummaryCounts::conditions(QStringLiteral("note"), kOwner, kToday);
        QCOMPARE(notes.at(0), QStringLiteral(" and loginName ='u'and isShow ='展示'"));
        QCOMPARE(notes.at(1), QStringLiteral(" and loginName ='u' and mold ='指导笔记' and isShow ='展示'"));
        QCOMPARE(notes.at(7), QStringLiteral(" and loginName ='u' and mold ='其它' and isShow ='展示'"));
        QCOMPARE(notes.at(11), QStringLiteral(" and loginName ='u'and isRemind = '开启' and isShow ='展示' and date(remindDate) between '2026-12-14' and '2026-12-21'"));
        QCOMPARE(notes.at(16), QStringLiteral(" and loginName ='u'and isShow ='展示' and (attachedFile is not null and attachedFile !='') "));
        const QStringList plans = SummaryCounts::conditions(QStringLiteral("workPlan"), QString(), kToday);
        QCOMPARE(plans.at(0), QStringLiteral("and isShow ='正常'"));
        QCOMPARE(plans.at(6), QStringLiteral(" and mold ='其它' and isShow ='正常'"));
        QCOMPARE(plans.at(7), QStringLiteral(" and isShow ='完成'"));
        QCOMPARE(plans.at(8), QStringLiteral("and isRemind = '开启' and isShow ='正常' and date(remindDate) < '2026-12-06'"));
        QCOMPARE(plans.at(14), QStringLiteral("and isShow ='正常' and (image is not null and image !='') "));
    }

    void accountUserAndMessageTexts()
    {
        QCOMPARE(maskTimes(SummaryCounts::conditions(QStringLiteral("accountInfo"), kOwner, kToday)),
                 (QStringList{
                     QStringLiteral(" and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) between '2026-11-06 T' and '2026-12-06 T' and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) between '2026-06-09 T' and '2026-11-05 T' and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) between '2025-12-06 T' and '2026-06-08 T' and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) between '2024-12-05 T' and '2025-12-05 T' and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) between '2021-12-07 T' and '2024-12-04 T' and loginName ='u'"),
                     QStringLiteral(" and date(registerDate) < '2021-12-07 T' and loginName ='u'"),
                 }));
        // The users page and the messages window add no owner condition.
        QCOMPARE(maskTimes(SummaryCounts::conditions(QStringLiteral("user"), kOwner, kToday)),
                 (QStringList{
                     QString(),
                     QStringLiteral(" and date(registerDate) = '2026-12-06'"),
                     QStringLiteral(" and date(registerDate) between '2026-11-29 T' and '2026-12-06 T'"),
                     QStringLiteral(" and date(registerDate) between '2026-11-06 T' and '2026-12-06 T'"),
                     QStringLiteral(" and date(registerDate) between '2026-06-09 T' and '2026-12-06 T'"),
                     QStringLiteral(" and date(registerDate) between '2025-12-06 T' and '2026-12-06 T'"),
                     QStringLiteral(" and date(loginDate) between '2026-11-06 T' and '2026-12-06 T'"),
                 }));
        QCOMPARE(SummaryCounts::conditions(QStringLiteral("message"), kOwner, kToday),
                 (QStringList{
                     QStringLiteral(" and showSwitchStr = '展示'"),
                     QStringLiteral(" and showSwitchStr = '展示' and appOS = 'windows'"),
                     QStringLiteral(" and showSwitchStr = '展示' and appOS = 'android'"),
                     QStringLiteral(" and showSwitchStr = '展示' and appOS = 'webMobile'"),
                     QStringLiteral(" and showSwitchStr = '展示' and appOS = 'webDesk'"),
                     QStringLiteral(" and showSwitchStr = '展示' and mold = 'reminder'"),
                     QStringLiteral(" and showSwitchStr = '展示' and mold = 'about'"),
                 }));
        const QRegularExpression stampShape(QStringLiteral("'\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d'"));
        QVERIFY(stampShape.match(SummaryCounts::conditions(QStringLiteral("accountInfo"), QString(), kToday).at(1)).hasMatch());
    }

    void reminderCountsAtTheBoundaries()
    {
        QList<QVariantMap> rows;
        for (int offset : {-1, 0, 7, 8, 15, 16, 30, 31})
            rows << QVariantMap{{"loginName", "u"}, {"isRemind", "开启"}, {"remindDate", day(offset)}};
        rows << QVariantMap{{"loginName", "u"}, {"isRemind", "关闭"}, {"remindDate", day(0)}}
             << QVariantMap{{"loginName", "u"}, {"isRemind", "开启"}, {"remindDate", ""}}
             << QVariantMap{{"loginName", "v"}, {"isRemind", "开启"}, {"remindDate", day(0)}}
             << QVariantMap{{"loginName", "o'k"}, {"isRemind", "开启"}, {"remindDate", day(3)}};
        QVERIFY(fill(QStringLiteral("remind"), rows));
        // An empty remind date counts in the total only, as in the window.
        QCOMPARE(countsText(QStringLiteral("remind"), kOwner), QStringLiteral("9-1-1-2-2-2-1"));
        QCOMPARE(countsText(QStringLiteral("remind"), QStringLiteral(" and loginName ='o''k'")), QStringLiteral("1-0-0-1-0-0-0"));
        QCOMPARE(countsText(QStringLiteral("remind"), QString()), QStringLiteral("11-1-2-4-2-2-1"));
    }

    void noteCounts()
    {
        const auto note = [](const char *owner, const char *shown, const char *mold, const char *remind, int offset) {
            return QVariantMap{{"loginName", owner}, {"isShow", shown}, {"mold", mold}, {"isRemind", remind},
                               {"remindDate", day(offset)}};
        };
        QList<QVariantMap> rows{
            note("u", "展示", "指导笔记", "开启", -1), note("u", "展示", "学习笔记", "开启", 0),
            note("u", "展示", "工作笔记", "关闭", 0),  note("u", "展示", "读书笔记", "开启", 8),
            note("u", "展示", "有感而发", "开启", 31), note("u", "关闭", "日常生活", "开启", 0),
            note("u", "展示", "日常生活", "开启", 16), note("u", "展示", "其它", "开启", 30),
            note("v", "展示", "其它", "开启", 0),
        };
        rows[0].insert("image", "a.png");
        rows[1].insert("volume", "v.mp3");
        rows[2].insert("attachedFile", "f_1.pdf");
        rows[3].insert("image", "");
        rows[5].insert("image", "hidden.png");
        rows[7].insert("image", "b.png");
        rows[7].insert("volume", "");
        rows[8].insert("image", "c.png");
        QVERIFY(fill(QStringLiteral("note"), rows));
        QCOMPARE(countsText(QStringLiteral("note"), kOwner), QStringLiteral("7-1-1-1-1-1-1-1-1-1-1-1-2-1-2-1-1"));
        QCOMPARE(countsText(QStringLiteral("note"), QString()), QStringLiteral("8-1-1-1-1-1-1-2-1-2-2-1-2-1-3-1-1"));
    }

    void workPlanCounts()
    {
        const auto plan = [](const char *owner, const char *state, const char *mold, const char *remind, int offset) {
            return QVariantMap{{"loginName", owner}, {"isShow", state}, {"mold", mold}, {"isRemind", remind},
                               {"remindDate", day(offset)}};
        };
        QList<QVariantMap> rows{
            plan("u", "正常", "年度计划", "开启", -5), plan("u", "正常", "季度计划", "开启", 7),
            plan("u", "正常", "月计划", "关闭", 0),    plan("u", "完成", "周计划", "开启", 0),
            plan("u", "正常", "日计划", "开启", 15),   plan("u", "正常", "其它", "开启", 40),
            plan("u", "正常", "周计划", "开启", 0),    plan("v", "正常", "年度计划", "开启", 0),
        };
        rows[0].insert("image", "p.png");
        rows[5].insert("image", "");
        QVERIFY(fill(QStringLiteral("workPlan"), rows));
        QCOMPARE(countsText(QStringLiteral("workPlan"), kOwner), QStringLiteral("6-1-1-1-1-1-1-1-1-1-2-1-0-1-1"));
        QCOMPARE(countsText(QStringLiteral("workPlan"), QString()), QStringLiteral("7-2-1-1-1-1-1-1-1-2-3-1-0-1-1"));
    }

    void accountCountsIgnoreTheTimeOfDay()
    {
        QList<QVariantMap> rows;
        // Each window's edges, once just after midnight and once just before.
        for (int offset : {0, 30, 180, 365, 731, 1825})
            rows << QVariantMap{{"loginName", "u"}, {"registerDate", stamp(-offset, "00:00:01")}};
        for (int offset : {31, 181, 366, 732, 1826})
            rows << QVariantMap{{"loginName", "u"}, {"registerDate", stamp(-offset, "23:59:59")}};
        rows << QVariantMap{{"loginName", "v"}, {"registerDate", stamp(0, "12:00:00")}};
        QVERIFY(fill(QStringLiteral("accountInfo"), rows));
        QCOMPARE(countsText(QStringLiteral("accountInfo"), kOwner), QStringLiteral("11-2-2-2-2-2-1"));
        QCOMPARE(countsText(QStringLiteral("accountInfo"), QString()), QStringLiteral("12-3-2-2-2-2-1"));
    }

    void userCounts()
    {
        const auto user = [](int registered, const QVariant &loggedIn) {
            return QVariantMap{{"registerDate", stamp(-registered, "23:59:59")}, {"loginDate", loggedIn}};
        };
        QVERIFY(fill(QStringLiteral("user"),
                     {user(0, stamp(0, "00:00:01")), user(7, stamp(-30, "23:59:59")), user(8, stamp(-31, "23:59:59")),
                      user(30, QVariant()), user(180, ""), user(365, QVariant()), user(366, QVariant())}));
        // Users are counted alike for everybody: the owner condition does not apply to them.
        QCOMPARE(countsText(QStringLiteral("user"), kOwner), QStringLiteral("7-1-2-4-5-6-2"));
        QCOMPARE(countsText(QStringLiteral("user"), QString()), QStringLiteral("7-1-2-4-5-6-2"));
    }

    void messageCounts()
    {
        const auto message = [](const char *shown, const char *os, const char *mold) {
            return QVariantMap{{"showSwitchStr", shown}, {"appOS", os}, {"mold", mold}};
        };
        QVERIFY(fill(QStringLiteral("message"),
                     {message("展示", "windows", "reminder"), message("展示", "android", "about"),
                      message("不展示", "windows", "about"), message("展示", "webMobile", "versions"),
                      message("展示", "webDesk", "instructions"), message("展示", "windows", "about")}));
        QCOMPARE(countsText(QStringLiteral("message"), kOwner), QStringLiteral("5-2-1-1-1-1-2"));
    }
};

QTEST_GUILESS_MAIN(TestSummaryCounts)
#include "tst_summarycounts.moc"
