#ifndef DASHBOARDPRESETS_H
#define DASHBOARDPRESETS_H

#include <QDateTime>
#include <QString>

// The query behind every "查看" button of the dashboard (and behind the
// openers of the account, user and message windows): which window it opens
// and the condition string that window is handed.
class DashboardPresets
{
public:
    enum Target { None, Remind, Note, WorkPlan, Account, User, Message };

    struct Preset {
        Target target = None;
        QString condition;
    };

    // `objectName` is the button's or action's object name; `now` the time of
    // the click. An unknown name gives the target None.
    static Preset of(const QString &objectName, const QDateTime &now);
};

#endif // DASHBOARDPRESETS_H
