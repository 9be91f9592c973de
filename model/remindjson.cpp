#include "remindjson.h"

#include "domainremind.h"
#include "jsonfields.h"

namespace {

const JsonFields<DomainRemind> &fields()
{
    static const JsonFields<DomainRemind> table = JsonFields<DomainRemind>()
        .integer("id", &DomainRemind::getId, &DomainRemind::setId)
        .text("isRemind", &DomainRemind::getIsRemind, &DomainRemind::setIsRemind)
        .text("mold", &DomainRemind::getMold, &DomainRemind::setMold)
        .text("title", &DomainRemind::getTitle, &DomainRemind::setTitle)
        .text("content", &DomainRemind::getContent, &DomainRemind::setContent)
        .text("address", &DomainRemind::getAddress, &DomainRemind::setAddress)
        .text("registerDate", &DomainRemind::getRegisterDate, &DomainRemind::setRegisterDate)
        .text("updateDate", &DomainRemind::getUpdateDate, &DomainRemind::setUpdateDate)
        .text("remindDate", &DomainRemind::getRemindDate, &DomainRemind::setRemindDate)
        .text("remindMethod", &DomainRemind::getRemindMethod, &DomainRemind::setRemindMethod)
        .text("remindMethodBody", &DomainRemind::getRemindMethodBody, &DomainRemind::setRemindMethodBody)
        .integer("remindDateNumber", &DomainRemind::getRemindDateNumber, &DomainRemind::setRemindDateNumber)
        .text("comment", &DomainRemind::getComment, &DomainRemind::setComment)
        .text("loginName", &DomainRemind::getLoginName, &DomainRemind::setLoginName);
    return table;
}

} // namespace

QJsonObject RemindJson::toJson(const DomainRemind &remind)
{
    return fields().toJson(remind);
}

void RemindJson::fromJson(const QJsonObject &object, DomainRemind &remind)
{
    fields().fromJson(object, remind);
}
