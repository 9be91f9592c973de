#include "entityschema.h"

#include <QStringList>

namespace {

using K = ConditionParser::FieldKind;

EntitySchema make(const char *entity, std::initializer_list<std::pair<const char *, K>> fields,
                  std::initializer_list<const char *> indexes)
{
    EntitySchema s;
    s.entity = QString::fromLatin1(entity);
    for (const auto &f : fields)
        s.fields.append({QString::fromLatin1(f.first), f.second});
    for (const char *columns : indexes)
        s.indexes.append(QString::fromLatin1(columns).split(QLatin1Char(' ')));
    return s;
}

} // namespace

QVector<EntitySchema> EntitySchema::build()
{
    const K T = ConditionParser::Text, I = ConditionParser::Integer, R = ConditionParser::Real;
    // Notes and plans: the owner alone, with the shown state, with the kind, and
    // the reminder windows (a bare remindDate for "today", date() for the
    // others); administrators see every owner's shown rows.
    const auto ownedAndShown = {"loginName",
                                "loginName isShow",
                                "loginName isShow mold",
                                "loginName isShow isRemind remindDate",
                                "loginName isShow isRemind date(remindDate)",
                                "isShow",
                                "isShow mold"};
    QVector<EntitySchema> schemas{
        make("user", {{"username", T}, {"password", T}, {"realName", T}, {"telephone", T}, {"grade", I},
                      {"eMail", T}, {"administrator", T}, {"registerDate", T}, {"userImage", T}, {"loginDate", T},
                      {"prohibit", T}, {"prohibitCause", T}, {"comment", T}},
             {"date(registerDate)", "date(loginDate)"}),
        make("accountInfo", {{"accountName", T}, {"username", T}, {"password", T}, {"userRealName", T}, {"eMail", T},
                             {"telephone", T}, {"information1", T}, {"information2", T}, {"registerDate", T},
                             {"updateDate", T}, {"comment", T}, {"loginName", T}},
             {"loginName", "loginName date(registerDate)"}),
        make("note", {{"mold", T}, {"isShow", T}, {"grade", I}, {"title", T}, {"content", T}, {"address", T},
                      {"registerDate", T}, {"updateDate", T}, {"isRemind", T}, {"remindMethod", T},
                      {"remindMethodBody", T}, {"remindFrequency", T}, {"remindDate", T}, {"remindDateNumber", I},
                      {"image", T}, {"volume", T}, {"attachedFile", T}, {"comment", T}, {"loginName", T}},
             ownedAndShown),
        make("workPlan", {{"mold", T}, {"isShow", T}, {"tag", T}, {"serialNumber", I}, {"title", T}, {"target", T},
                          {"gainProfit", T}, {"startDate", T}, {"endDate", T}, {"strategy", T},
                          {"measurableIndicator", T}, {"actionPlan", T}, {"needResources", T}, {"difficulty", T},
                          {"completionStatus", R}, {"score", I}, {"auditor", T}, {"registerDate", T},
                          {"updateDate", T}, {"isRemind", T}, {"remindMethod", T}, {"remindMethodBody", T},
                          {"remindFrequency", T}, {"remindDate", T}, {"remindDateNumber", I}, {"image", T},
                          {"comment", T}, {"loginName", T}},
             ownedAndShown),
        make("remind", {{"isRemind", T}, {"mold", T}, {"title", T}, {"content", T}, {"address", T},
                        {"registerDate", T}, {"updateDate", T}, {"remindDate", T}, {"remindMethod", T},
                        {"remindMethodBody", T}, {"remindDateNumber", I}, {"comment", T}, {"loginName", T}},
             {"loginName", "loginName isRemind", "loginName isRemind remindDate", "loginName isRemind date(remindDate)"}),
        make("message", {{"appOS", T}, {"showSwitchStr", T}, {"mold", T}, {"flag", R}, {"grade", I}, {"addDate", T},
                         {"showDate", T}, {"showEndDate", T}, {"message", T}, {"comment", T}},
             {"showSwitchStr", "showSwitchStr appOS", "showSwitchStr mold", "showSwitchStr appOS mold"}),
    };
    for (EntitySchema &s : schemas) {
        if (s.entity == QLatin1String("note"))
            s.fileFields = QStringList{QStringLiteral("image"), QStringLiteral("volume"), QStringLiteral("attachedFile")};
        else if (s.entity == QLatin1String("workPlan"))
            s.fileFields = QStringList{QStringLiteral("image")};
        if (!s.fileFields.isEmpty())
            s.fileFolder = s.entity;
        s.conditionNames.insert(QStringLiteral("id"), ConditionParser::Integer);
        for (const Field &f : s.fields)
            if (!(s.entity == QLatin1String("user") && f.name == QLatin1String("password")))
                s.conditionNames.insert(f.name, f.kind);
    }
    return schemas;
}

const QVector<EntitySchema> &EntitySchema::all()
{
    static const QVector<EntitySchema> schemas = build();
    return schemas;
}

const EntitySchema *EntitySchema::find(const QString &entity)
{
    for (const EntitySchema &s : all())
        if (s.entity == entity)
            return &s;
    return nullptr;
}

bool EntitySchema::hasField(const QString &name) const
{
    for (const Field &f : fields)
        if (f.name == name)
            return true;
    return false;
}

QString EntitySchema::table() const
{
    return QLatin1Char('"') + entity + QLatin1Char('"');
}

QString EntitySchema::columnList() const
{
    QStringList names{QStringLiteral("\"id\"")};
    for (const Field &f : fields)
        names << QLatin1Char('"') + f.name + QLatin1Char('"');
    return names.join(QLatin1Char(','));
}
