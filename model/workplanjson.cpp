#include "workplanjson.h"

#include "dworkplan.h"
#include "jsonfields.h"

namespace {

const JsonFields<DWorkPlan> &fields()
{
    static const JsonFields<DWorkPlan> table = JsonFields<DWorkPlan>()
        .integer("id", &DWorkPlan::getId, &DWorkPlan::setId)
        .text("mold", &DWorkPlan::getMold, &DWorkPlan::setMold)
        .text("isShow", &DWorkPlan::getIsShow, &DWorkPlan::setIsShow)
        .text("tag", &DWorkPlan::getTag, &DWorkPlan::setTag)
        .integer("serialNumber", &DWorkPlan::getSerialNumber, &DWorkPlan::setSerialNumber)
        .text("title", &DWorkPlan::getTitle, &DWorkPlan::setTitle)
        .text("target", &DWorkPlan::getTarget, &DWorkPlan::setTarget)
        .text("gainProfit", &DWorkPlan::getGainProfit, &DWorkPlan::setGainProfit)
        .text("startDate", &DWorkPlan::getStartDate, &DWorkPlan::setStartDate)
        .text("endDate", &DWorkPlan::getEndDate, &DWorkPlan::setEndDate)
        .text("strategy", &DWorkPlan::getStrategy, &DWorkPlan::setStrategy)
        .text("measurableIndicator", &DWorkPlan::getMeasurableIndicator, &DWorkPlan::setMeasurableIndicator)
        .text("actionPlan", &DWorkPlan::getActionPlan, &DWorkPlan::setActionPlan)
        .text("needResources", &DWorkPlan::getNeedResources, &DWorkPlan::setNeedResources)
        .text("difficulty", &DWorkPlan::getDifficulty, &DWorkPlan::setDifficulty)
        .real("completionStatus", &DWorkPlan::getCompletionStatus, &DWorkPlan::setCompletionStatus)
        .integer("score", &DWorkPlan::getScore, &DWorkPlan::setScore)
        .text("auditor", &DWorkPlan::getAuditor, &DWorkPlan::setAuditor)
        .text("registerDate", &DWorkPlan::getRegisterDate, &DWorkPlan::setRegisterDate)
        .text("updateDate", &DWorkPlan::getUpdateDate, &DWorkPlan::setUpdateDate)
        .text("isRemind", &DWorkPlan::getIsRemind, &DWorkPlan::setIsRemind)
        .text("remindMethod", &DWorkPlan::getRemindMethod, &DWorkPlan::setRemindMethod)
        .text("remindMethodBody", &DWorkPlan::getRemindMethodBody, &DWorkPlan::setRemindMethodBody)
        .text("remindFrequency", &DWorkPlan::getRemindFrequency, &DWorkPlan::setRemindFrequency)
        .text("remindDate", &DWorkPlan::getRemindDate, &DWorkPlan::setRemindDate)
        .integer("remindDateNumber", &DWorkPlan::getRemindDateNumber, &DWorkPlan::setRemindDateNumber)
        .text("image", &DWorkPlan::getImage, &DWorkPlan::setImage)
        .text("comment", &DWorkPlan::getComment, &DWorkPlan::setComment)
        .text("loginName", &DWorkPlan::getLoginName, &DWorkPlan::setLoginName);
    return table;
}

} // namespace

QJsonObject WorkPlanJson::toJson(const DWorkPlan &plan)
{
    return fields().toJson(plan);
}

void WorkPlanJson::fromJson(const QJsonObject &object, DWorkPlan &plan)
{
    fields().fromJson(object, plan);
}
