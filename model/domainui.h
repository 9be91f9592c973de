#ifndef DOMAINUI_H
#define DOMAINUI_H

#include <QObject>
#include <QString>

// Query and paging state handed between the dashboard, the table windows and their search dialogs.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainUi : public QObject
{
    Q_OBJECT

public:
    explicit DomainUi(QObject *parent = nullptr);

    int getCurPage() const;
    void setCurPage(int curPage);
    int getPageSize() const;
    void setPageSize(int pageSize);
    int getTotalCount() const;
    void setTotalCount(int totalCount);
    int getFlag() const;
    void setFlag(int flag);
    QString getTemporary() const;
    void setTemporary(const QString &temporary);
    QString getConditionStr() const;
    void setConditionStr(const QString &conditionStr);
    QString getOrder() const;
    void setOrder(const QString &order);

private:
    int curPage = 0;
    int pageSize = 0;
    int totalCount = 0;
    int flag = 0;
    QString temporary;
    QString conditionStr;
    QString order;
};

#endif // DOMAINUI_H
