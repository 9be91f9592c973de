#include "entityschema.h"

#include <QStringList>

namespace {

using K = ConditionParser::FieldKind;

EntitySchema make(const char *entity, std::initializer_list<std::pair<const char *, K>> fields)
{
    EntitySchema s;
    s.entity = QString::fromLatin1(entity);
    for (const auto &f : fields)
        s.fields.append({QString::fromLatin1(f.first), f.second});
    return s;
}

QVector<EntitySchema> build()
{
    const K T = ConditionParser::Text, I = ConditionParser::Integer, R = ConditionParser::Real;
    return {
        make("user", {{"username", T}, {"password", T}, {"realName", T}, {"telephone", T}, {"grade", I},
                      {"eMail", T}, {"administrator", T}, {"registerDate", T}, {"userImage", T}, {"loginDate", T},
                      {"prohibit", T}, {"prohibitCause", T}, {"comment", T}}),
        make("accountInfo", {{"accountName", T}, {"username", T}, {"password", T}, {"userRealName", T}, {"eMail", T},
                             {"telephone", T}, {"information1", T}, {"information2", T}, {"registerDate", T},
                             {"updateDate", T}, {"comment", T}, {"loginName", T}}),
        make("note", {{"mold", T}, {"isShow", T}, {"grade", I}, {"title", T}, {"content", T}, {"address", T},
                      {"registerDate", T}, {"updateDate", T}, {"isRemind", T}, {"remindMethod", T},
                      {"remindMethodBody", T}, {"remindFrequency", T}, {"remindDate", T}, {"remindDateNumber", I},
                      {"image", T}, {"volume", T}, {"attachedFile", T}, {"comment", T}, {"loginName", T}}),
        make("workPlan", {{"mold", T}, {"isShow", T}, {"tag", T}, {"serialNumber", I}, {"title", T}, {"target", T},
                          {"gainProfit", T}, {"startDate", T}, {"endDate", T}, {"strategy", T},
                          {"measurableIndicator", T}, {"actionPlan", T}, {"needResources", T}, {"difficulty", T},
                          {"completionStatus", R}, {"score", I}, {"auditor", T}, {"registerDate", T},
                          {"updateDate", T}, {"isRemind", T}, {"remindMethod", T}, {"remindMethodBody", T},
                          {"remindFrequency", T}, {"remindDate", T}, {"remindDateNumber", I}, {"image", T},
                          {"comment", T}, {"loginName", T}}),
        make("remind", {{"isRemind", T}, {"mold", T}, {"title", T}, {"content", T}, {"address", T},
                        {"registerDate", T}, {"updateDate", T}, {"remindDate", T}, {"remindMethod", T},
                        {"remindMethodBody", T}, {"remindDateNumber", I}, {"comment", T}, {"loginName", T}}),
        make("message", {{"appOS", T}, {"showSwitchStr", T}, {"mold", T}, {"flag", R}, {"grade", I}, {"addDate", T},
                         {"showDate", T}, {"showEndDate", T}, {"message", T}, {"comment", T}}),
    };
}

} // namespace

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

QHash<QString, ConditionParser::FieldKind> EntitySchema::conditionFields() const
{
    QHash<QString, ConditionParser::FieldKind> out;
    out.insert(QStringLiteral("id"), ConditionParser::Integer);
    for (const Field &f : fields)
        if (!(entity == QLatin1String("user") && f.name == QLatin1String("password")))
            out.insert(f.name, f.kind);
    return out;
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
