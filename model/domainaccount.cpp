#include "domainaccount.h"

DomainAccount::DomainAccount(QObject *parent) : QObject(parent) {}

int DomainAccount::getId() const { return id; }
void DomainAccount::setId(int id) { this->id = id; }
QString DomainAccount::getAccountName() const { return accountName; }
void DomainAccount::setAccountName(const QString &accountName) { this->accountName = accountName; }
QString DomainAccount::getUsername() const { return username; }
void DomainAccount::setUsername(const QString &username) { this->username = username; }
QString DomainAccount::getPassword() const { return password; }
void DomainAccount::setPassword(const QString &password) { this->password = password; }
QString DomainAccount::getUserRealName() const { return userRealName; }
void DomainAccount::setUserRealName(const QString &userRealName) { this->userRealName = userRealName; }
QString DomainAccount::getEMail() const { return eMail; }
void DomainAccount::setEMail(const QString &eMail) { this->eMail = eMail; }
QString DomainAccount::getTelephone() const { return telephone; }
void DomainAccount::setTelephone(const QString &telephone) { this->telephone = telephone; }
QString DomainAccount::getInformation1() const { return information1; }
void DomainAccount::setInformation1(const QString &information1) { this->information1 = information1; }
QString DomainAccount::getInformation2() const { return information2; }
void DomainAccount::setInformation2(const QString &information2) { this->information2 = information2; }
QString DomainAccount::getRegisterDate() const { return registerDate; }
void DomainAccount::setRegisterDate(const QString &registerDate) { this->registerDate = registerDate; }
QString DomainAccount::getUpdateDate() const { return updateDate; }
void DomainAccount::setUpdateDate(const QString &updateDate) { this->updateDate = updateDate; }
QString DomainAccount::getComment() const { return comment; }
void DomainAccount::setComment(const QString &comment) { this->comment = comment; }
QString DomainAccount::getLoginName() const { return loginName; }
void DomainAccount::setLoginName(const QString &loginName) { this->loginName = loginName; }
