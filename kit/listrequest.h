#ifndef LISTREQUEST_H
#define LISTREQUEST_H

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// The requests a table window sends and the rows of a list reply.
class ListRequest
{
public:
    // What an empty condition does to the request: Omit removes "conditionStr"
    // (so no condition of an earlier load lingers), Send sends it empty.
    enum class EmptyCondition { Omit, Send };

    // Writes "curPage", "pageSize", "conditionStr" and "order" of one list
    // request into `request`.
    static void fill(QJsonObject &request, int curPage, int pageSize, const QString &condition, const QString &order,
                     EmptyCondition empty = EmptyCondition::Omit);
    // The request for every due entry of a condition: page size 0, page 1.
    static QJsonObject due(const QString &condition, const QString &order);
    // A delete request of its own, {"dList": [record]}: the window's list
    // request never carries a "dList".
    static QJsonObject deletion(const QJsonObject &record);

    // The reply's "dList" into `rows`; false, leaving `rows` alone, when it is
    // not an array (a failed request).
    static bool rows(const QJsonObject &reply, QJsonArray &rows);
    // The reply's "totalCount" (0 when missing).
    static int totalCount(const QJsonObject &reply);
};

#endif // LISTREQUEST_H
