#include "domainui.h"

DomainUi::DomainUi(QObject *parent) : QObject(parent) {}

int DomainUi::getCurPage() const { return curPage; }
void DomainUi::setCurPage(int curPage) { this->curPage = curPage; }
int DomainUi::getPageSize() const { return pageSize; }
void DomainUi::setPageSize(int pageSize) { this->pageSize = pageSize; }
int DomainUi::getTotalCount() const { return totalCount; }
void DomainUi::setTotalCount(int totalCount) { this->totalCount = totalCount; }
int DomainUi::getFlag() const { return flag; }
void DomainUi::setFlag(int flag) { this->flag = flag; }
QString DomainUi::getTemporary() const { return temporary; }
void DomainUi::setTemporary(const QString &temporary) { this->temporary = temporary; }
QString DomainUi::getConditionStr() const { return conditionStr; }
void DomainUi::setConditionStr(const QString &conditionStr) { this->conditionStr = conditionStr; }
QString DomainUi::getOrder() const { return order; }
void DomainUi::setOrder(const QString &order) { this->order = order; }
