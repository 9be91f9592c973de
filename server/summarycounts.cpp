#include "summarycounts.h"

#include <QDateTime>

namespace {

QString day(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QStringList dated(const QString &prefix, const QDate &today)
{
    return {prefix + QStringLiteral(" and date(remindDate) < '%1'").arg(day(today)),
            prefix + QStringLiteral(" and remindDate = '%1'").arg(day(today)),
            prefix + QStringLiteral(" and date(remindDate) between '%1' and '%2'").arg(day(today), day(today.addDays(7))),
            prefix + QStringLiteral(" and date(remindDate) between '%1' and '%2'").arg(day(today.addDays(8)), day(today.addDays(15))),
            prefix + QStringLiteral(" and date(remindDate) between '%1' and '%2'").arg(day(today.addDays(16)), day(today.addDays(30))),
            prefix + QStringLiteral(" and date(remindDate) > '%1'").arg(day(today.addDays(30)))};
}

} // namespace

QStringList SummaryCounts::conditions(const QString &entity, const QString &owner, const QDate &today)
{
    const QDateTime now(today, QTime::currentTime());
    auto stamp = [&now](int daysBack) { return now.addDays(-daysBack).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); };
    QStringList out;
    if (entity == QLatin1String("remind")) {
        out << QStringLiteral(" and isRemind = '开启'") + owner;
        for (const QString &c : dated(QStringLiteral("and isRemind = '开启'"), today))
            out << c + owner;
    } else if (entity == QLatin1String("note")) {
        out << owner + QStringLiteral("and isShow ='展示'");
        for (const char *kind : {"指导笔记", "学习笔记", "工作笔记", "读书笔记", "有感而发", "日常生活", "其它"})
            out << owner + QStringLiteral(" and mold ='%1' and isShow ='展示'").arg(QString::fromUtf8(kind));
        for (const QString &c : dated(QStringLiteral("and isRemind = '开启' and isShow ='展示'"), today))
            out << owner + c;
        for (const char *f : {"image", "volume", "attachedFile"})
            out << owner + QStringLiteral("and isShow ='展示' and (%1 is not null and %1 !='') ").arg(QLatin1String(f));
    } else if (entity == QLatin1String("workPlan")) {
        out << owner + QStringLiteral("and isShow ='正常'");
        for (const char *kind : {"年度计划", "季度计划", "月计划", "周计划", "日计划", "其它"})
            out << owner + QStringLiteral(" and mold ='%1' and isShow ='正常'").arg(QString::fromUtf8(kind));
        out << owner + QStringLiteral(" and isShow ='完成'");
        for (const QString &c : dated(QStringLiteral("and isRemind = '开启' and isShow ='正常'"), today))
            out << owner + c;
        out << owner + QStringLiteral("and isShow ='正常' and (image is not null and image !='') ");
    } else if (entity == QLatin1String("accountInfo")) {
        const QString range = QStringLiteral(" and date(registerDate) between '%1' and '%2'");
        out << owner << range.arg(stamp(30), stamp(0)) + owner << range.arg(stamp(180), stamp(31)) + owner
            << range.arg(stamp(365), stamp(181)) + owner << range.arg(stamp(731), stamp(366)) + owner
            << range.arg(stamp(1825), stamp(732)) + owner
            << QStringLiteral(" and date(registerDate) < '%1'").arg(stamp(1825)) + owner;
    } else if (entity == QLatin1String("user")) {
        const QString range = QStringLiteral(" and date(registerDate) between '%1' and '%2'");
        out << QString() << QStringLiteral(" and date(registerDate) = '%1'").arg(day(today)) << range.arg(stamp(7), stamp(0))
            << range.arg(stamp(30), stamp(0)) << range.arg(stamp(180), stamp(0)) << range.arg(stamp(365), stamp(0))
            << QStringLiteral(" and date(loginDate) between '%1' and '%2'").arg(stamp(30), stamp(0));
    } else if (entity == QLatin1String("message")) {
        const QString shown = QStringLiteral(" and showSwitchStr = '展示'");
        out << shown;
        for (const char *os : {"windows", "android", "webMobile", "webDesk"})
            out << shown + QStringLiteral(" and appOS = '%1'").arg(QLatin1String(os));
        out << shown + QStringLiteral(" and mold = 'reminder'") << shown + QStringLiteral(" and mold = 'about'");
    }
    return out;
}
