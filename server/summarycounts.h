#ifndef SUMMARYCOUNTS_H
#define SUMMARYCOUNTS_H

#include <QDate>
#include <QString>
#include <QStringList>

// The conditions behind the dashboard's summary counts. Each one is the very
// condition string the dashboard's matching "查看" button makes its window send,
// so a count always equals the total that the window then lists.
namespace SummaryCounts {

// For entity ("accountInfo", "note", "workPlan", "remind", "message", "user"), the condition strings whose row counts
// make the "findOfSummary" reply text, in the order the dashboard reads them (joined by "-" by the caller).
// ownerCondition is " and loginName ='<user>'" (quotes doubled) for users below grade 5, empty for administrators;
// today is the server's local date. An unknown entity gives an empty list.
QStringList conditions(const QString &entity, const QString &ownerCondition, const QDate &today);

} // namespace SummaryCounts

#endif // SUMMARYCOUNTS_H
