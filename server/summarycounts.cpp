#include "summarycounts.h"

#include <QTime>

namespace {

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// The dashboard passes "now - N days" timestamps; only their date part takes
// part in the comparison, the time of day is the current one as on the client.
QString stampText(const QDate &date)
{
    const QTime now = QTime::currentTime();
    return dayText(date) + QLatin1Char(' ')
           + QTime(now.hour(), now.minute(), now.second()).toString(QStringLiteral("HH:mm:ss"));
}

QString between(const QString &field, const QString &from, const QString &to)
{
    return QStringLiteral(" and date(%1) between '%2' and '%3'").arg(field, from, to);
}

// Expired, today, 0-7, 8-15, 16-30 and more than 30 days, each after the prefix.
QStringList remindWindows(const QString &prefix, const QDate &today)
{
    const QString remindDate = QStringLiteral("remindDate");
    return {
        prefix + QStringLiteral(" and date(remindDate) < '") + dayText(today) + QLatin1Char('\''),
        prefix + QStringLiteral(" and remindDate = '") + dayText(today) + QLatin1Char('\''),
        prefix + between(remindDate, dayText(today), dayText(today.addDays(7))),
        prefix + between(remindDate, dayText(today.addDays(8)), dayText(today.addDays(15))),
        prefix + between(remindDate, dayText(today.addDays(16)), dayText(today.addDays(30))),
        prefix + QStringLiteral(" and date(remindDate) > '") + dayText(today.addDays(30)) + QLatin1Char('\''),
    };
}

QStringList prefixed(const QString &owner, const QStringList &presets)
{
    QStringList out;
    for (const QString &preset : presets)
        out << owner + preset;
    return out;
}

QStringList suffixed(const QStringList &presets, const QString &owner)
{
    QStringList out;
    for (const QString &preset : presets)
        out << preset + owner;
    return out;
}

QStringList remindPresets(const QDate &today)
{
    return QStringList{QStringLiteral(" and isRemind = '开启'")}
           + remindWindows(QStringLiteral("and isRemind = '开启'"), today);
}

QStringList notePresets(const QDate &today)
{
    QStringList presets{QStringLiteral("and isShow ='展示'")};
    for (const char *kind : {"指导笔记", "学习笔记", "工作笔记", "读书笔记", "有感而发", "日常生活", "其它"})
        presets << QStringLiteral(" and mold ='%1' and isShow ='展示'").arg(QString::fromUtf8(kind));
    presets << remindWindows(QStringLiteral("and isRemind = '开启' and isShow ='展示'"), today);
    for (const char *file : {"image", "volume", "attachedFile"})
        presets << QStringLiteral("and isShow ='展示' and (%1 is not null and %1 !='') ").arg(QLatin1String(file));
    return presets;
}

QStringList workPlanPresets(const QDate &today)
{
    QStringList presets{QStringLiteral("and isShow ='正常'")};
    for (const char *kind : {"年度计划", "季度计划", "月计划", "周计划", "日计划", "其它"})
        presets << QStringLiteral(" and mold ='%1' and isShow ='正常'").arg(QString::fromUtf8(kind));
    presets << QStringLiteral(" and isShow ='完成'");
    presets << remindWindows(QStringLiteral("and isRemind = '开启' and isShow ='正常'"), today);
    presets << QStringLiteral("and isShow ='正常' and (image is not null and image !='') ");
    return presets;
}

QStringList accountPresets(const QDate &today)
{
    const QString registerDate = QStringLiteral("registerDate");
    const auto back = [&today](int days) { return stampText(today.addDays(-days)); };
    return {
        QString(),
        between(registerDate, back(30), back(0)),
        between(registerDate, back(180), back(31)),
        between(registerDate, back(365), back(181)),
        between(registerDate, back(731), back(366)),
        between(registerDate, back(1825), back(732)),
        QStringLiteral(" and date(registerDate) < '") + back(1825) + QLatin1Char('\''),
    };
}

QStringList userPresets(const QDate &today)
{
    const QString registerDate = QStringLiteral("registerDate");
    const auto back = [&today](int days) { return stampText(today.addDays(-days)); };
    return {
        QString(),
        QStringLiteral(" and date(registerDate) = '") + dayText(today) + QLatin1Char('\''),
        between(registerDate, back(7), back(0)),
        between(registerDate, back(30), back(0)),
        between(registerDate, back(180), back(0)),
        between(registerDate, back(365), back(0)),
        between(QStringLiteral("loginDate"), back(30), back(0)),
    };
}

QStringList messagePresets()
{
    const QString shown = QStringLiteral(" and showSwitchStr = '展示'");
    return {
        shown,
        shown + QStringLiteral(" and appOS = 'windows'"),
        shown + QStringLiteral(" and appOS = 'android'"),
        shown + QStringLiteral(" and appOS = 'webMobile'"),
        shown + QStringLiteral(" and appOS = 'webDesk'"),
        shown + QStringLiteral(" and mold = 'reminder'"),
        shown + QStringLiteral(" and mold = 'about'"),
    };
}

} // namespace

QStringList SummaryCounts::conditions(const QString &entity, const QString &ownerCondition, const QDate &today)
{
    // Where each window puts its owner condition: the account and reminder windows
    // after the preset, the note and plan windows before it; the user and message
    // windows add none.
    if (entity == QLatin1String("remind"))
        return suffixed(remindPresets(today), ownerCondition);
    if (entity == QLatin1String("note"))
        return prefixed(ownerCondition, notePresets(today));
    if (entity == QLatin1String("workPlan"))
        return prefixed(ownerCondition, workPlanPresets(today));
    if (entity == QLatin1String("accountInfo"))
        return suffixed(accountPresets(today), ownerCondition);
    if (entity == QLatin1String("user"))
        return userPresets(today);
    if (entity == QLatin1String("message"))
        return messagePresets();
    return {};
}
