#include "dworkplan.h"

DWorkPlan::DWorkPlan(QObject *parent) : QObject(parent) {}

int DWorkPlan::getId() const { return id; }
void DWorkPlan::setId(int id) { this->id = id; }
QString DWorkPlan::getMold() const { return mold; }
void DWorkPlan::setMold(const QString &mold) { this->mold = mold; }
QString DWorkPlan::getIsShow() const { return isShow; }
void DWorkPlan::setIsShow(const QString &isShow) { this->isShow = isShow; }
QString DWorkPlan::getTag() const { return tag; }
void DWorkPlan::setTag(const QString &tag) { this->tag = tag; }
int DWorkPlan::getSerialNumber() const { return serialNumber; }
void DWorkPlan::setSerialNumber(int serialNumber) { this->serialNumber = serialNumber; }
QString DWorkPlan::getTitle() const { return title; }
void DWorkPlan::setTitle(const QString &title) { this->title = title; }
QString DWorkPlan::getTarget() const { return target; }
void DWorkPlan::setTarget(const QString &target) { this->target = target; }
QString DWorkPlan::getGainProfit() const { return gainProfit; }
void DWorkPlan::setGainProfit(const QString &gainProfit) { this->gainProfit = gainProfit; }
QString DWorkPlan::getStartDate() const { return startDate; }
void DWorkPlan::setStartDate(const QString &startDate) { this->startDate = startDate; }
QString DWorkPlan::getEndDate() const { return endDate; }
void DWorkPlan::setEndDate(const QString &endDate) { this->endDate = endDate; }
QString DWorkPlan::getStrategy() const { return strategy; }
void DWorkPlan::setStrategy(const QString &strategy) { this->strategy = strategy; }
QString DWorkPlan::getMeasurableIndicator() const { return measurableIndicator; }
void DWorkPlan::setMeasurableIndicator(const QString &measurableIndicator) { this->measurableIndicator = measurableIndicator; }
QString DWorkPlan::getActionPlan() const { return actionPlan; }
void DWorkPlan::setActionPlan(const QString &actionPlan) { this->actionPlan = actionPlan; }
QString DWorkPlan::getNeedResources() const { return needResources; }
void DWorkPlan::setNeedResources(const QString &needResources) { this->needResources = needResources; }
QString DWorkPlan::getDifficulty() const { return difficulty; }
void DWorkPlan::setDifficulty(const QString &difficulty) { this->difficulty = difficulty; }
double DWorkPlan::getCompletionStatus() const { return completionStatus; }
void DWorkPlan::setCompletionStatus(double completionStatus) { this->completionStatus = completionStatus; }
int DWorkPlan::getScore() const { return score; }
void DWorkPlan::setScore(int score) { this->score = score; }
QString DWorkPlan::getAuditor() const { return auditor; }
void DWorkPlan::setAuditor(const QString &auditor) { this->auditor = auditor; }
QString DWorkPlan::getRegisterDate() const { return registerDate; }
void DWorkPlan::setRegisterDate(const QString &registerDate) { this->registerDate = registerDate; }
QString DWorkPlan::getUpdateDate() const { return updateDate; }
void DWorkPlan::setUpdateDate(const QString &updateDate) { this->updateDate = updateDate; }
QString DWorkPlan::getIsRemind() const { return isRemind; }
void DWorkPlan::setIsRemind(const QString &isRemind) { this->isRemind = isRemind; }
QString DWorkPlan::getRemindMethod() const { return remindMethod; }
void DWorkPlan::setRemindMethod(const QString &remindMethod) { this->remindMethod = remindMethod; }
QString DWorkPlan::getRemindMethodBody() const { return remindMethodBody; }
void DWorkPlan::setRemindMethodBody(const QString &remindMethodBody) { this->remindMethodBody = remindMethodBody; }
QString DWorkPlan::getRemindFrequency() const { return remindFrequency; }
void DWorkPlan::setRemindFrequency(const QString &remindFrequency) { this->remindFrequency = remindFrequency; }
QString DWorkPlan::getRemindDate() const { return remindDate; }
void DWorkPlan::setRemindDate(const QString &remindDate) { this->remindDate = remindDate; }
int DWorkPlan::getRemindDateNumber() const { return remindDateNumber; }
void DWorkPlan::setRemindDateNumber(int remindDateNumber) { this->remindDateNumber = remindDateNumber; }
QString DWorkPlan::getImage() const { return image; }
void DWorkPlan::setImage(const QString &image) { this->image = image; }
QString DWorkPlan::getComment() const { return comment; }
void DWorkPlan::setComment(const QString &comment) { this->comment = comment; }
QString DWorkPlan::getLoginName() const { return loginName; }
void DWorkPlan::setLoginName(const QString &loginName) { this->loginName = loginName; }

bool DWorkPlan::compareWorkPlan(const DWorkPlan *a, const DWorkPlan *b)
{
    return a->serialNumber < b->serialNumber;
}
