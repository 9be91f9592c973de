#include "dashboardpresets.h"

#include <QHash>

#include "conditionbuilder.h"

namespace {

const QString dayFormat = QStringLiteral("yyyy-MM-dd");
const QString stampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString quoted(const QString &value)
{
    return QLatin1Char('\'') + ConditionBuilder::quoted(value) + QLatin1Char('\'');
}

// Tails on a date field; D, D1 and D2 are already written out.
QString before(const QString &field, const QString &d)
{
    return QStringLiteral(" and date(%1) < ").arg(field) + quoted(d);
}

QString after(const QString &field, const QString &d)
{
    return QStringLiteral(" and date(%1) > ").arg(field) + quoted(d);
}

QString between(const QString &field, const QString &d1, const QString &d2)
{
    return QStringLiteral(" and date(%1) between ").arg(field) + quoted(d1) + QStringLiteral(" and ") + quoted(d2);
}

// The six windows of days from today that reminders, notes and work plans share.
QString dueTail(const QString &window, const QDate &today)
{
    const auto day = [&today](int n) { return today.addDays(n).toString(dayFormat); };
    const QString field = QStringLiteral("remindDate");
    if (window == QLatin1String("Expired"))
        return before(field, day(0));
    if (window == QLatin1String("Today"))
        return QStringLiteral(" and remindDate = ") + quoted(day(0));
    if (window == QLatin1String("7Day"))
        return between(field, day(0), day(7));
    if (window == QLatin1String("15Day"))
        return between(field, day(8), day(15));
    if (window == QLatin1String("30Day"))
        return between(field, day(16), day(30));
    return after(field, day(30)); // "30OverDay"
}

// The notes' button for "more than 30 days" lacks the word "note".
QString noteButton(const QString &window)
{
    if (window == QLatin1String("30OverDay"))
        return QStringLiteral("pushButton_30OverDay");
    return QLatin1String("pushButton_note") + window;
}

struct Fixed {
    DashboardPresets::Target target;
    const char *condition;
};

const QHash<QString, Fixed> &fixedPresets()
{
    using T = DashboardPresets;
    static const QHash<QString, Fixed> table{
        {"pushButton_remindTotal", {T::Remind, " and isRemind = '开启'"}},

        {"pushButton_noteTotal", {T::Note, "and isShow ='展示'"}},
        {"pushButton_noteGuide", {T::Note, " and mold ='指导笔记' and isShow ='展示'"}},
        {"pushButton_noteStudy", {T::Note, " and mold ='学习笔记' and isShow ='展示'"}},
        {"pushButton_noteWork", {T::Note, " and mold ='工作笔记' and isShow ='展示'"}},
        {"pushButton_noteReadbook", {T::Note, " and mold ='读书笔记' and isShow ='展示'"}},
        {"pushButton_noteSense", {T::Note, " and mold ='有感而发' and isShow ='展示'"}},
        {"pushButton_notelift", {T::Note, " and mold ='日常生活' and isShow ='展示'"}},
        {"pushButton_noteOther", {T::Note, " and mold ='其它' and isShow ='展示'"}},
        {"pushButton_noteImage", {T::Note, "and isShow ='展示' and (image is not null and image !='') "}},
        {"pushButton_noteVolume", {T::Note, "and isShow ='展示' and (volume is not null and volume !='') "}},
        {"pushButton_noteAttachedFile",
         {T::Note, "and isShow ='展示' and (attachedFile is not null and attachedFile !='') "}},

        {"pushButton_workPlanTotal", {T::WorkPlan, "and isShow ='正常'"}},
        {"pushButton_yearPlan", {T::WorkPlan, " and mold ='年度计划' and isShow ='正常'"}},
        {"pushButton_quarterPlan", {T::WorkPlan, " and mold ='季度计划' and isShow ='正常'"}},
        {"pushButton_monthPlan", {T::WorkPlan, " and mold ='月计划' and isShow ='正常'"}},
        {"pushButton_weekPlan", {T::WorkPlan, " and mold ='周计划' and isShow ='正常'"}},
        {"pushButton_dayPlan", {T::WorkPlan, " and mold ='日计划' and isShow ='正常'"}},
        {"pushButton_otherPlan", {T::WorkPlan, " and mold ='其它' and isShow ='正常'"}},
        {"pushButton_completePlan", {T::WorkPlan, " and isShow ='完成'"}},
        {"pushButton_workPlanImage", {T::WorkPlan, "and isShow ='正常' and (image is not null and image !='') "}},

        {"accounAction", {T::Account, ""}},
        {"pushButton_account", {T::Account, ""}},
        {"pushButton_accountTotal", {T::Account, ""}},

        {"userManagerAction", {T::User, ""}},
        {"pushButton_user", {T::User, ""}},
        {"pushButton_userTotal", {T::User, ""}},

        {"messageAction", {T::Message, ""}},
        {"pushButton_message", {T::Message, ""}},
        {"pushButton_messageTotal", {T::Message, " and showSwitchStr = '展示'"}},
        {"pushButton_messageWindows", {T::Message, " and showSwitchStr = '展示' and appOS = 'windows'"}},
        {"pushButton_messageAndroid", {T::Message, " and showSwitchStr = '展示' and appOS = 'android'"}},
        {"pushButton_messageWebMobile", {T::Message, " and showSwitchStr = '展示' and appOS = 'webMobile'"}},
        {"pushButton_messageWebDesk", {T::Message, " and showSwitchStr = '展示' and appOS = 'webDesk'"}},
        {"pushButton_messageRemind", {T::Message, " and showSwitchStr = '展示' and mold = 'reminder'"}},
        {"pushButton_messageAbout", {T::Message, " and showSwitchStr = '展示' and mold = 'about'"}},
    };
    return table;
}

const QString dueWindows[] = {QStringLiteral("Expired"), QStringLiteral("Today"), QStringLiteral("7Day"),
                              QStringLiteral("15Day"),   QStringLiteral("30Day"), QStringLiteral("30OverDay")};

} // namespace

DashboardPresets::Preset DashboardPresets::of(const QString &objectName, const QDateTime &now)
{
    Preset preset;
    const auto fixed = fixedPresets().constFind(objectName);
    if (fixed != fixedPresets().constEnd()) {
        preset.target = fixed->target;
        preset.condition = QString::fromUtf8(fixed->condition);
        return preset;
    }

    const QDate today = now.date();
    // Reminders, notes and work plans: the due windows after the module's prefix.
    for (const QString &window : dueWindows) {
        if (objectName == QLatin1String("pushButton_remind") + window) {
            preset.target = Remind;
            preset.condition = QStringLiteral("and isRemind = '开启'") + dueTail(window, today);
        } else if (objectName == noteButton(window)) {
            preset.target = Note;
            preset.condition = QStringLiteral("and isRemind = '开启' and isShow ='展示'") + dueTail(window, today);
        } else if (objectName == QLatin1String("pushButton_workPlan") + window) {
            preset.target = WorkPlan;
            preset.condition = QStringLiteral("and isRemind = '开启' and isShow ='正常'") + dueTail(window, today);
        }
        if (preset.target != None)
            return preset;
    }
    const auto ago = [&now](int days) { return now.addDays(-days).toString(stampFormat); };
    const QString registered = QStringLiteral("registerDate");
    const QString stamp = now.toString(stampFormat);

    static const QHash<QString, QPair<int, int>> accountRanges{
        {"pushButton_account1Month", {30, 0}},    {"pushButton_account6Month", {180, 31}},
        {"pushButton_account12Month", {365, 181}}, {"pushButton_account2Year", {731, 366}},
        {"pushButton_account5Year", {1825, 732}},
    };
    if (accountRanges.contains(objectName)) {
        const QPair<int, int> range = accountRanges.value(objectName);
        preset.target = Account;
        preset.condition = between(registered, ago(range.first), ago(range.second));
    } else if (objectName == QLatin1String("pushButton_account6Year")) {
        preset.target = Account;
        preset.condition = before(registered, ago(1825));
    }

    static const QHash<QString, int> userRanges{
        {"pushButton_user7Day", 7}, {"pushButton_user1Month", 30}, {"pushButton_user6Month", 180},
        {"pushButton_user1Year", 365},
    };
    if (userRanges.contains(objectName)) {
        preset.target = User;
        preset.condition = between(registered, ago(userRanges.value(objectName)), stamp);
    } else if (objectName == QLatin1String("pushButton_userToday")) {
        preset.target = User;
        preset.condition = QStringLiteral(" and date(registerDate) = ") + quoted(today.toString(dayFormat));
    } else if (objectName == QLatin1String("pushButton_userLogin30")) {
        preset.target = User;
        preset.condition = between(QStringLiteral("loginDate"), ago(30), stamp);
    }
    return preset;
}
