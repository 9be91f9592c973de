#ifndef SUMMARYCOUNTS_H
#define SUMMARYCOUNTS_H

#include <QDate>
#include <QString>
#include <QStringList>

namespace SummaryCounts {
// For an entity, the condition strings whose row counts make its summary text,
// in order. ownerCondition is " and loginName ='<user>'" below grade 5, empty for
// administrators; today is the server's local date.
QStringList conditions(const QString &entity, const QString &ownerCondition, const QDate &today);
}

#endif // SUMMARYCOUNTS_H
