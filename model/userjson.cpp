#include "userjson.h"

#include "domainuser.h"
#include "jsonfields.h"

namespace {

const JsonFields<DomainUser> &fields()
{
    static const JsonFields<DomainUser> table = JsonFields<DomainUser>()
        .integer("id", &DomainUser::getId, &DomainUser::setId)
        .text("username", &DomainUser::getUsername, &DomainUser::setUsername)
        .text("password", &DomainUser::getPassword, &DomainUser::setPassword)
        .text("realName", &DomainUser::getRealName, &DomainUser::setRealName)
        .text("telephone", &DomainUser::getTelephone, &DomainUser::setTelephone)
        .integer("grade", &DomainUser::getGrade, &DomainUser::setGrade)
        .text("eMail", &DomainUser::getEMail, &DomainUser::setEMail)
        .text("administrator", &DomainUser::getAdministrator, &DomainUser::setAdministrator)
        .text("registerDate", &DomainUser::getRegisterDate, &DomainUser::setRegisterDate)
        .text("userImage", &DomainUser::getUserImage, &DomainUser::setUserImage)
        .text("loginDate", &DomainUser::getLoginDate, &DomainUser::setLoginDate)
        .text("prohibit", &DomainUser::getProhibit, &DomainUser::setProhibit)
        .text("prohibitCause", &DomainUser::getProhibitCause, &DomainUser::setProhibitCause)
        .text("comment", &DomainUser::getComment, &DomainUser::setComment);
    return table;
}

} // namespace

QJsonObject UserJson::toJson(const DomainUser &user)
{
    return fields().toJson(user);
}

QJsonObject UserJson::toJson(const DomainUser &user, const QStringList &keys)
{
    return fields().toJson(user, keys);
}

void UserJson::fromJson(const QJsonObject &object, DomainUser &user)
{
    fields().fromJson(object, user);
}
