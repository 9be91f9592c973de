#ifndef PLANTAGS_H
#define PLANTAGS_H

#include <QJsonObject>
#include <QString>

class HttpWorkPlan;
class QComboBox;

// The tags of a user's normal plans, as both plan dialogs offer them.
class PlanTags
{
public:
    // "and isShow = '正常'  and loginName = '<name>' ", the condition of the
    // tag query (the name's quotes doubled).
    static QString condition(const QString &username);
    // Asks the server for the user's tags with `request` (whose
    // "conditionStr" it sets) and appends them to the combo, split at "-"
    // with empty parts kept. A failed query changes nothing and says nothing.
    static void load(HttpWorkPlan &endpoint, QJsonObject &request, const QString &username, QComboBox *combo);
};

#endif // PLANTAGS_H
