#include "messagejson.h"

#include "domainmessage.h"
#include "jsonfields.h"

namespace {

const JsonFields<DomainMessage> &fields()
{
    static const JsonFields<DomainMessage> table = JsonFields<DomainMessage>()
        .integer("id", &DomainMessage::getId, &DomainMessage::setId)
        .text("appOS", &DomainMessage::getAppOS, &DomainMessage::setAppOS)
        .text("showSwitchStr", &DomainMessage::getShowSwitchStr, &DomainMessage::setShowSwitchStr)
        .text("mold", &DomainMessage::getMold, &DomainMessage::setMold)
        .real("flag", &DomainMessage::getFlag, &DomainMessage::setFlag)
        .integer("grade", &DomainMessage::getGrade, &DomainMessage::setGrade)
        .text("addDate", &DomainMessage::getAddDate, &DomainMessage::setAddDate)
        .text("showDate", &DomainMessage::getShowDate, &DomainMessage::setShowDate)
        .text("showEndDate", &DomainMessage::getShowEndDate, &DomainMessage::setShowEndDate)
        .text("message", &DomainMessage::getMessage, &DomainMessage::setMessage)
        .text("comment", &DomainMessage::getComment, &DomainMessage::setComment);
    return table;
}

} // namespace

QJsonObject MessageJson::toJson(const DomainMessage &message)
{
    return fields().toJson(message);
}

void MessageJson::fromJson(const QJsonObject &object, DomainMessage &message)
{
    fields().fromJson(object, message);
}
