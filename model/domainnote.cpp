#include "domainnote.h"

DomainNote::DomainNote(QObject *parent) : QObject(parent) {}

int DomainNote::getId() const { return id; }
void DomainNote::setId(int id) { this->id = id; }
QString DomainNote::getMold() const { return mold; }
void DomainNote::setMold(const QString &mold) { this->mold = mold; }
QString DomainNote::getIsShow() const { return isShow; }
void DomainNote::setIsShow(const QString &isShow) { this->isShow = isShow; }
int DomainNote::getGrade() const { return grade; }
void DomainNote::setGrade(int grade) { this->grade = grade; }
QString DomainNote::getTitle() const { return title; }
void DomainNote::setTitle(const QString &title) { this->title = title; }
QString DomainNote::getContent() const { return content; }
void DomainNote::setContent(const QString &content) { this->content = content; }
QString DomainNote::getAddress() const { return address; }
void DomainNote::setAddress(const QString &address) { this->address = address; }
QString DomainNote::getRegisterDate() const { return registerDate; }
void DomainNote::setRegisterDate(const QString &registerDate) { this->registerDate = registerDate; }
QString DomainNote::getUpdateDate() const { return updateDate; }
void DomainNote::setUpdateDate(const QString &updateDate) { this->updateDate = updateDate; }
QString DomainNote::getIsRemind() const { return isRemind; }
void DomainNote::setIsRemind(const QString &isRemind) { this->isRemind = isRemind; }
QString DomainNote::getRemindMethod() const { return remindMethod; }
void DomainNote::setRemindMethod(const QString &remindMethod) { this->remindMethod = remindMethod; }
QString DomainNote::getRemindMethodBody() const { return remindMethodBody; }
void DomainNote::setRemindMethodBody(const QString &remindMethodBody) { this->remindMethodBody = remindMethodBody; }
QString DomainNote::getRemindFrequency() const { return remindFrequency; }
void DomainNote::setRemindFrequency(const QString &remindFrequency) { this->remindFrequency = remindFrequency; }
QString DomainNote::getRemindDate() const { return remindDate; }
void DomainNote::setRemindDate(const QString &remindDate) { this->remindDate = remindDate; }
int DomainNote::getRemindDateNumber() const { return remindDateNumber; }
void DomainNote::setRemindDateNumber(int remindDateNumber) { this->remindDateNumber = remindDateNumber; }
QString DomainNote::getImage() const { return image; }
void DomainNote::setImage(const QString &image) { this->image = image; }
QString DomainNote::getVolume() const { return volume; }
void DomainNote::setVolume(const QString &volume) { this->volume = volume; }
QString DomainNote::getAttachedFile() const { return attachedFile; }
void DomainNote::setAttachedFile(const QString &attachedFile) { this->attachedFile = attachedFile; }
QString DomainNote::getComment() const { return comment; }
void DomainNote::setComment(const QString &comment) { this->comment = comment; }
QString DomainNote::getLoginName() const { return loginName; }
void DomainNote::setLoginName(const QString &loginName) { this->loginName = loginName; }
