#include "domainuser.h"

DomainUser::DomainUser(QObject *parent) : QObject(parent) {}

int DomainUser::getId() const { return id; }
void DomainUser::setId(int id) { this->id = id; }
QString DomainUser::getUsername() const { return username; }
void DomainUser::setUsername(const QString &username) { this->username = username; }
QString DomainUser::getPassword() const { return password; }
void DomainUser::setPassword(const QString &password) { this->password = password; }
QString DomainUser::getRealName() const { return realName; }
void DomainUser::setRealName(const QString &realName) { this->realName = realName; }
QString DomainUser::getTelephone() const { return telephone; }
void DomainUser::setTelephone(const QString &telephone) { this->telephone = telephone; }
int DomainUser::getGrade() const { return grade; }
void DomainUser::setGrade(int grade) { this->grade = grade; }
QString DomainUser::getEMail() const { return eMail; }
void DomainUser::setEMail(const QString &eMail) { this->eMail = eMail; }
QString DomainUser::getAdministrator() const { return administrator; }
void DomainUser::setAdministrator(const QString &administrator) { this->administrator = administrator; }
QString DomainUser::getRegisterDate() const { return registerDate; }
void DomainUser::setRegisterDate(const QString &registerDate) { this->registerDate = registerDate; }
QString DomainUser::getUserImage() const { return userImage; }
void DomainUser::setUserImage(const QString &userImage) { this->userImage = userImage; }
QString DomainUser::getLoginDate() const { return loginDate; }
void DomainUser::setLoginDate(const QString &loginDate) { this->loginDate = loginDate; }
QString DomainUser::getProhibit() const { return prohibit; }
void DomainUser::setProhibit(const QString &prohibit) { this->prohibit = prohibit; }
QString DomainUser::getProhibitCause() const { return prohibitCause; }
void DomainUser::setProhibitCause(const QString &prohibitCause) { this->prohibitCause = prohibitCause; }
QString DomainUser::getComment() const { return comment; }
void DomainUser::setComment(const QString &comment) { this->comment = comment; }
