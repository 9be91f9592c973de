// Each record's JSON form: the exact keys and their JSON types, a full round
// trip, and what a reply element with missing or mistyped values gives.
#include <QtTest>

#include "accountjson.h"
#include "domainaccount.h"
#include "domainmessage.h"
#include "domainnote.h"
#include "domainremind.h"
#include "domainuser.h"
#include "dworkplan.h"
#include "messagejson.h"
#include "notejson.h"
#include "remindjson.h"
#include "userjson.h"
#include "workplanjson.h"

namespace {

// A record's keys with their kind: 'i' int, 'd' double, 't' text.
using Keys = QList<QPair<QString, char>>;

const Keys kAccount{{"id", 'i'},           {"accountName", 't'}, {"username", 't'},     {"password", 't'},
                    {"userRealName", 't'}, {"eMail", 't'},       {"telephone", 't'},    {"information1", 't'},
                    {"information2", 't'}, {"registerDate", 't'}, {"updateDate", 't'}, {"comment", 't'},
                    {"loginName", 't'}};
const Keys kNote{{"id", 'i'},           {"mold", 't'},           {"isShow", 't'},        {"grade", 'i'},
                 {"title", 't'},        {"content", 't'},        {"address", 't'},       {"registerDate", 't'},
                 {"updateDate", 't'},   {"isRemind", 't'},       {"remindMethod", 't'},  {"remindMethodBody", 't'},
                 {"remindFrequency", 't'}, {"remindDate", 't'},  {"remindDateNumber", 'i'}, {"image", 't'},
                 {"volume", 't'},       {"attachedFile", 't'},   {"comment", 't'},       {"loginName", 't'}};
const Keys kPlan{{"id", 'i'},           {"mold", 't'},          {"isShow", 't'},          {"tag", 't'},
                 {"serialNumber", 'i'}, {"title", 't'},         {"target", 't'},          {"gainProfit", 't'},
                 {"startDate", 't'},    {"endDate", 't'},       {"strategy", 't'},        {"measurableIndicator", 't'},
                 {"actionPlan", 't'},   {"needResources", 't'}, {"difficulty", 't'},      {"completionStatus", 'd'},
                 {"score", 'i'},        {"auditor", 't'},       {"registerDate", 't'},    {"updateDate", 't'},
                 {"isRemind", 't'},     {"remindMethod", 't'},  {"remindMethodBody", 't'}, {"remindFrequency", 't'},
                 {"remindDate", 't'},   {"remindDateNumber", 'i'}, {"image", 't'},        {"comment", 't'},
                 {"loginName", 't'}};
const Keys kRemind{{"id", 'i'},           {"isRemind", 't'},     {"mold", 't'},         {"title", 't'},
                   {"content", 't'},      {"address", 't'},      {"registerDate", 't'}, {"updateDate", 't'},
                   {"remindDate", 't'},   {"remindMethod", 't'}, {"remindMethodBody", 't'}, {"remindDateNumber", 'i'},
                   {"comment", 't'},      {"loginName", 't'}};
const Keys kMessage{{"id", 'i'},      {"appOS", 't'},    {"showSwitchStr", 't'}, {"mold", 't'},
                    {"flag", 'd'},    {"grade", 'i'},    {"addDate", 't'},       {"showDate", 't'},
                    {"showEndDate", 't'}, {"message", 't'}, {"comment", 't'}};
const Keys kUser{{"id", 'i'},           {"username", 't'}, {"password", 't'},     {"realName", 't'},
                 {"telephone", 't'},    {"grade", 'i'},    {"eMail", 't'},        {"administrator", 't'},
                 {"registerDate", 't'}, {"userImage", 't'}, {"loginDate", 't'},   {"prohibit", 't'},
                 {"prohibitCause", 't'}, {"comment", 't'}};

// Every key with a value of its own: texts "<key> 值", numbers counting up
// (doubles with a fraction), so that two fields wired to each other show.
QJsonObject distinctValues(const Keys &keys)
{
    QJsonObject o;
    int n = 1;
    for (const auto &[key, kind] : keys) {
        if (kind == 'i')
            o.insert(key, 100 + n);
        else if (kind == 'd')
            o.insert(key, 100 + n + 0.25);
        else
            o.insert(key, key + QStringLiteral(" 值"));
        ++n;
    }
    return o;
}

// The object that a record with every number 0 and every text empty gives.
QJsonObject emptyValues(const Keys &keys)
{
    QJsonObject o;
    for (const auto &[key, kind] : keys)
        o.insert(key, kind == 't' ? QJsonValue(QString()) : QJsonValue(0));
    return o;
}

// Every value of the wrong JSON type: numbers as texts (also a numeric text),
// texts as numbers, plus null, bool, array and object, in turn.
QJsonObject mistypedValues(const Keys &keys)
{
    const QJsonValue wrongForNumber[] = {QStringLiteral("7"), QJsonValue(), true, QJsonArray{1}, QJsonObject{{"a", 1}}};
    const QJsonValue wrongForText[] = {42, QJsonValue(), false, QJsonArray{"x"}, QJsonObject{{"a", "b"}}};
    QJsonObject o;
    int n = 0;
    for (const auto &[key, kind] : keys) {
        o.insert(key, kind == 't' ? wrongForText[n % 5] : wrongForNumber[n % 5]);
        ++n;
    }
    return o;
}

QStringList sortedKeys(const Keys &keys)
{
    QStringList names;
    for (const auto &entry : keys)
        names << entry.first;
    names.sort();
    return names;
}

} // namespace

class TestRecordJson : public QObject
{
    Q_OBJECT

private slots:
    void keysAndTypes_data();
    void keysAndTypes();
    void roundTrip_data();
    void roundTrip();
    void missingKeysGiveEmptyValues_data();
    void missingKeysGiveEmptyValues();
    void mistypedValuesGiveEmptyValues_data();
    void mistypedValuesGiveEmptyValues();
    void numbersReachTheirFields();
    void userSubsetsCarryOnlyTheNamedKeys();
};

// One test row per record: its keys and a function from an object through a
// fresh record back to an object (fromJson, then toJson).
using Through = std::function<QJsonObject(const QJsonObject &, bool startFilled)>;
Q_DECLARE_METATYPE(Keys)
Q_DECLARE_METATYPE(Through)

template <typename Json, typename Record>
Through through(const Keys &keys)
{
    return [keys](const QJsonObject &object, bool startFilled) {
        Record record;
        if (startFilled)
            Json::fromJson(distinctValues(keys), record);
        Json::fromJson(object, record);
        return Json::toJson(record);
    };
}

static void addRecordRows()
{
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<Through>("through");
    QTest::newRow("account") << kAccount << through<AccountJson, DomainAccount>(kAccount);
    QTest::newRow("note") << kNote << through<NoteJson, DomainNote>(kNote);
    QTest::newRow("plan") << kPlan << through<WorkPlanJson, DWorkPlan>(kPlan);
    QTest::newRow("remind") << kRemind << through<RemindJson, DomainRemind>(kRemind);
    QTest::newRow("message") << kMessage << through<MessageJson, DomainMessage>(kMessage);
    QTest::newRow("user") << kUser << through<UserJson, DomainUser>(kUser);
}

void TestRecordJson::keysAndTypes_data()
{
    addRecordRows();
}

void TestRecordJson::keysAndTypes()
{
    QFETCH(Keys, keys);
    QFETCH(Through, through);
    const QJsonObject fresh = through(QJsonObject(), false);
    QCOMPARE(fresh.keys(), sortedKeys(keys));
    for (const auto &[key, kind] : keys)
        QVERIFY2(kind == 't' ? fresh.value(key).isString() : fresh.value(key).isDouble(), qPrintable(key));
}

void TestRecordJson::roundTrip_data()
{
    addRecordRows();
}

void TestRecordJson::roundTrip()
{
    QFETCH(Keys, keys);
    QFETCH(Through, through);
    const QJsonObject values = distinctValues(keys);
    QCOMPARE(through(values, false), values);
    // Keys the record does not have are ignored.
    QJsonObject extra = values;
    extra.insert(QStringLiteral("pageSize"), 30);
    QCOMPARE(through(extra, false), values);
}

void TestRecordJson::missingKeysGiveEmptyValues_data()
{
    addRecordRows();
}

void TestRecordJson::missingKeysGiveEmptyValues()
{
    QFETCH(Keys, keys);
    QFETCH(Through, through);
    // A record filled before is emptied field by field, not kept.
    QCOMPARE(through(QJsonObject(), true), emptyValues(keys));
}

void TestRecordJson::mistypedValuesGiveEmptyValues_data()
{
    addRecordRows();
}

void TestRecordJson::mistypedValuesGiveEmptyValues()
{
    QFETCH(Keys, keys);
    QFETCH(Through, through);
    QCOMPARE(through(mistypedValues(keys), true), emptyValues(keys));
}

void TestRecordJson::numbersReachTheirFields()
{
    DWorkPlan plan;
    WorkPlanJson::fromJson({{"id", 9}, {"serialNumber", -2}, {"score", 88}, {"remindDateNumber", 3},
                            {"completionStatus", 66.67}, {"title", "年度目标"}},
                           plan);
    QCOMPARE(plan.getId(), 9);
    QCOMPARE(plan.getSerialNumber(), -2);
    QCOMPARE(plan.getScore(), 88);
    QCOMPARE(plan.getRemindDateNumber(), 3);
    QCOMPARE(plan.getCompletionStatus(), 66.67);
    QCOMPARE(plan.getTitle(), QStringLiteral("年度目标"));

    // An int field takes a whole number only; a fraction is not a valid id.
    WorkPlanJson::fromJson({{"id", 2.5}, {"serialNumber", 4.0}}, plan);
    QCOMPARE(plan.getId(), 0);
    QCOMPARE(plan.getSerialNumber(), 4);

    DomainMessage message;
    MessageJson::fromJson({{"flag", 1.5}, {"grade", 2}, {"id", 7}}, message);
    QCOMPARE(message.getFlag(), 1.5);
    QCOMPARE(message.getGrade(), 2);
    QCOMPARE(MessageJson::toJson(message).value("flag").toDouble(), 1.5);

    DomainNote note;
    NoteJson::fromJson({{"grade", 3}, {"remindDateNumber", 5}, {"image", "a_1.png"}}, note);
    QCOMPARE(note.getGrade(), 3);
    QCOMPARE(note.getRemindDateNumber(), 5);
    QCOMPARE(note.getImage(), QStringLiteral("a_1.png"));

    DomainUser user;
    UserJson::fromJson({{"grade", 5}, {"eMail", "a@b.cn"}, {"prohibit", "禁止"}}, user);
    QCOMPARE(user.getGrade(), 5);
    QCOMPARE(user.getEMail(), QStringLiteral("a@b.cn"));
    QCOMPARE(user.getProhibit(), QStringLiteral("禁止"));
}

void TestRecordJson::userSubsetsCarryOnlyTheNamedKeys()
{
    DomainUser user;
    UserJson::fromJson(distinctValues(kUser), user);
    const QJsonObject login = UserJson::toJson(user, {"username", "password"});
    QCOMPARE(login, (QJsonObject{{"password", "password 值"}, {"username", "username 值"}}));
    // A name that is not a field adds nothing.
    QCOMPARE(UserJson::toJson(user, {"grade", "nickname"}), (QJsonObject{{"grade", 106}}));
    QCOMPARE(UserJson::toJson(user, {}), QJsonObject());
}

QTEST_APPLESS_MAIN(TestRecordJson)
#include "tst_recordjson.moc"
