#include "domainremind.h"

DomainRemind::DomainRemind(QObject *parent) : QObject(parent) {}

int DomainRemind::getId() const { return id; }
void DomainRemind::setId(int id) { this->id = id; }
QString DomainRemind::getIsRemind() const { return isRemind; }
void DomainRemind::setIsRemind(const QString &isRemind) { this->isRemind = isRemind; }
QString DomainRemind::getMold() const { return mold; }
void DomainRemind::setMold(const QString &mold) { this->mold = mold; }
QString DomainRemind::getTitle() const { return title; }
void DomainRemind::setTitle(const QString &title) { this->title = title; }
QString DomainRemind::getContent() const { return content; }
void DomainRemind::setContent(const QString &content) { this->content = content; }
QString DomainRemind::getAddress() const { return address; }
void DomainRemind::setAddress(const QString &address) { this->address = address; }
QString DomainRemind::getRegisterDate() const { return registerDate; }
void DomainRemind::setRegisterDate(const QString &registerDate) { this->registerDate = registerDate; }
QString DomainRemind::getUpdateDate() const { return updateDate; }
void DomainRemind::setUpdateDate(const QString &updateDate) { this->updateDate = updateDate; }
QString DomainRemind::getRemindDate() const { return remindDate; }
void DomainRemind::setRemindDate(const QString &remindDate) { this->remindDate = remindDate; }
QString DomainRemind::getRemindMethod() const { return remindMethod; }
void DomainRemind::setRemindMethod(const QString &remindMethod) { this->remindMethod = remindMethod; }
QString DomainRemind::getRemindMethodBody() const { return remindMethodBody; }
void DomainRemind::setRemindMethodBody(const QString &remindMethodBody) { this->remindMethodBody = remindMethodBody; }
int DomainRemind::getRemindDateNumber() const { return remindDateNumber; }
void DomainRemind::setRemindDateNumber(int remindDateNumber) { this->remindDateNumber = remindDateNumber; }
QString DomainRemind::getComment() const { return comment; }
void DomainRemind::setComment(const QString &comment) { this->comment = comment; }
QString DomainRemind::getLoginName() const { return loginName; }
void DomainRemind::setLoginName(const QString &loginName) { this->loginName = loginName; }
