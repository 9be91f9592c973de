#include "accountjson.h"

#include "domainaccount.h"
#include "jsonfields.h"

namespace {

const JsonFields<DomainAccount> &fields()
{
    static const JsonFields<DomainAccount> table = JsonFields<DomainAccount>()
        .integer("id", &DomainAccount::getId, &DomainAccount::setId)
        .text("accountName", &DomainAccount::getAccountName, &DomainAccount::setAccountName)
        .text("username", &DomainAccount::getUsername, &DomainAccount::setUsername)
        .text("password", &DomainAccount::getPassword, &DomainAccount::setPassword)
        .text("userRealName", &DomainAccount::getUserRealName, &DomainAccount::setUserRealName)
        .text("eMail", &DomainAccount::getEMail, &DomainAccount::setEMail)
        .text("telephone", &DomainAccount::getTelephone, &DomainAccount::setTelephone)
        .text("information1", &DomainAccount::getInformation1, &DomainAccount::setInformation1)
        .text("information2", &DomainAccount::getInformation2, &DomainAccount::setInformation2)
        .text("registerDate", &DomainAccount::getRegisterDate, &DomainAccount::setRegisterDate)
        .text("updateDate", &DomainAccount::getUpdateDate, &DomainAccount::setUpdateDate)
        .text("comment", &DomainAccount::getComment, &DomainAccount::setComment)
        .text("loginName", &DomainAccount::getLoginName, &DomainAccount::setLoginName);
    return table;
}

} // namespace

QJsonObject AccountJson::toJson(const DomainAccount &account)
{
    return fields().toJson(account);
}

void AccountJson::fromJson(const QJsonObject &object, DomainAccount &account)
{
    fields().fromJson(object, account);
}
