#include "accountjson.h"

#include "domainaccount.h"

QJsonObject AccountJson::toJson(const DomainAccount &account)
{
    QJsonObject o;
    o.insert(QStringLiteral("id"), account.getId());
    o.insert(QStringLiteral("accountName"), account.getAccountName());
    o.insert(QStringLiteral("username"), account.getUsername());
    o.insert(QStringLiteral("password"), account.getPassword());
    o.insert(QStringLiteral("userRealName"), account.getUserRealName());
    o.insert(QStringLiteral("eMail"), account.getEMail());
    o.insert(QStringLiteral("telephone"), account.getTelephone());
    o.insert(QStringLiteral("information1"), account.getInformation1());
    o.insert(QStringLiteral("information2"), account.getInformation2());
    o.insert(QStringLiteral("registerDate"), account.getRegisterDate());
    o.insert(QStringLiteral("updateDate"), account.getUpdateDate());
    o.insert(QStringLiteral("comment"), account.getComment());
    o.insert(QStringLiteral("loginName"), account.getLoginName());
    return o;
}

void AccountJson::fromJson(const QJsonObject &o, DomainAccount &account)
{
    account.setId(o.value(QStringLiteral("id")).toInt());
    account.setAccountName(o.value(QStringLiteral("accountName")).toString());
    account.setUsername(o.value(QStringLiteral("username")).toString());
    account.setPassword(o.value(QStringLiteral("password")).toString());
    account.setUserRealName(o.value(QStringLiteral("userRealName")).toString());
    account.setEMail(o.value(QStringLiteral("eMail")).toString());
    account.setTelephone(o.value(QStringLiteral("telephone")).toString());
    account.setInformation1(o.value(QStringLiteral("information1")).toString());
    account.setInformation2(o.value(QStringLiteral("information2")).toString());
    account.setRegisterDate(o.value(QStringLiteral("registerDate")).toString());
    account.setUpdateDate(o.value(QStringLiteral("updateDate")).toString());
    account.setComment(o.value(QStringLiteral("comment")).toString());
    account.setLoginName(o.value(QStringLiteral("loginName")).toString());
}
