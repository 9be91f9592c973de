#include "notejson.h"

#include "domainnote.h"
#include "jsonfields.h"

namespace {

const JsonFields<DomainNote> &fields()
{
    static const JsonFields<DomainNote> table = JsonFields<DomainNote>()
        .integer("id", &DomainNote::getId, &DomainNote::setId)
        .text("mold", &DomainNote::getMold, &DomainNote::setMold)
        .text("isShow", &DomainNote::getIsShow, &DomainNote::setIsShow)
        .integer("grade", &DomainNote::getGrade, &DomainNote::setGrade)
        .text("title", &DomainNote::getTitle, &DomainNote::setTitle)
        .text("content", &DomainNote::getContent, &DomainNote::setContent)
        .text("address", &DomainNote::getAddress, &DomainNote::setAddress)
        .text("registerDate", &DomainNote::getRegisterDate, &DomainNote::setRegisterDate)
        .text("updateDate", &DomainNote::getUpdateDate, &DomainNote::setUpdateDate)
        .text("isRemind", &DomainNote::getIsRemind, &DomainNote::setIsRemind)
        .text("remindMethod", &DomainNote::getRemindMethod, &DomainNote::setRemindMethod)
        .text("remindMethodBody", &DomainNote::getRemindMethodBody, &DomainNote::setRemindMethodBody)
        .text("remindFrequency", &DomainNote::getRemindFrequency, &DomainNote::setRemindFrequency)
        .text("remindDate", &DomainNote::getRemindDate, &DomainNote::setRemindDate)
        .integer("remindDateNumber", &DomainNote::getRemindDateNumber, &DomainNote::setRemindDateNumber)
        .text("image", &DomainNote::getImage, &DomainNote::setImage)
        .text("volume", &DomainNote::getVolume, &DomainNote::setVolume)
        .text("attachedFile", &DomainNote::getAttachedFile, &DomainNote::setAttachedFile)
        .text("comment", &DomainNote::getComment, &DomainNote::setComment)
        .text("loginName", &DomainNote::getLoginName, &DomainNote::setLoginName);
    return table;
}

} // namespace

QJsonObject NoteJson::toJson(const DomainNote &note)
{
    return fields().toJson(note);
}

void NoteJson::fromJson(const QJsonObject &object, DomainNote &note)
{
    fields().fromJson(object, note);
}
