#include "domainmessage.h"

DomainMessage::DomainMessage(QObject *parent) : QObject(parent) {}

int DomainMessage::getId() const { return id; }
void DomainMessage::setId(int id) { this->id = id; }
QString DomainMessage::getAppOS() const { return appOS; }
void DomainMessage::setAppOS(const QString &appOS) { this->appOS = appOS; }
QString DomainMessage::getShowSwitchStr() const { return showSwitchStr; }
void DomainMessage::setShowSwitchStr(const QString &showSwitchStr) { this->showSwitchStr = showSwitchStr; }
QString DomainMessage::getMold() const { return mold; }
void DomainMessage::setMold(const QString &mold) { this->mold = mold; }
double DomainMessage::getFlag() const { return flag; }
void DomainMessage::setFlag(double flag) { this->flag = flag; }
int DomainMessage::getGrade() const { return grade; }
void DomainMessage::setGrade(int grade) { this->grade = grade; }
QString DomainMessage::getAddDate() const { return addDate; }
void DomainMessage::setAddDate(const QString &addDate) { this->addDate = addDate; }
QString DomainMessage::getShowDate() const { return showDate; }
void DomainMessage::setShowDate(const QString &showDate) { this->showDate = showDate; }
QString DomainMessage::getShowEndDate() const { return showEndDate; }
void DomainMessage::setShowEndDate(const QString &showEndDate) { this->showEndDate = showEndDate; }
QString DomainMessage::getMessage() const { return message; }
void DomainMessage::setMessage(const QString &message) { this->message = message; }
QString DomainMessage::getComment() const { return comment; }
void DomainMessage::setComment(const QString &comment) { this->comment = comment; }
