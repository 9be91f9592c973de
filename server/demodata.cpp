#include "demodata.h"

#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSqlQuery>
#include <QtEndian>
#include <cmath>

#include "database.h"
#include "filestore.h"
#include "requesthandler.h"

namespace {

// Stored names follow the client's rule: name, "_", milliseconds, ".", suffix.
const char *const kNoteImage = "sunrise_1764000000001.png";
const char *const kNoteImage2 = "harbour_1764000000002.png";
const char *const kVoiceClip = "voice_1764000000003.wav";
const char *const kAttachment = "使用说明_1764000000004.txt";
const char *const kPlanImage = "roadmap_1764000000005.png";

QString u(const char *utf8) { return QString::fromUtf8(utf8); }
QString day(int offset) { return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd")); }
QString stamp(int daysBack, int hour = 9)
{
    return QDateTime(QDate::currentDate().addDays(-daysBack), QTime(hour, 30, 0)).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool write(const QString &entity, const QString &operation, const QJsonObject &record, QString *error,
           QJsonValue *data = nullptr)
{
    const QJsonObject body{{"dList", QJsonArray{record}}};
    const QJsonObject reply = RequestHandler::handle(entity, operation, QJsonDocument(body).toJson(QJsonDocument::Compact));
    if (reply.value(QStringLiteral("resultCode")).toInt() == 1) {
        if (data)
            *data = reply.value(QStringLiteral("data"));
        return true;
    }
    *error = entity + QStringLiteral(": ") + reply.value(QStringLiteral("resultMessage")).toString();
    return false;
}

bool add(const QString &entity, const QJsonObject &record, QString *error)
{
    return write(entity, QStringLiteral("add"), record, error);
}

bool saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

// A picture drawn pixel by pixel: a sky gradient with a sun and a ground line.
bool savePicture(const QString &path, QRgb top, QRgb bottom, int seed)
{
    const int w = 480, h = 320;
    QImage img(w, h, QImage::Format_RGB32);
    const int cx = 120 + seed * 90, cy = 110, r = 46;
    for (int y = 0; y < h; ++y) {
        const double t = double(y) / (h - 1);
        const QRgb sky = qRgb(int(qRed(top) * (1 - t) + qRed(bottom) * t), int(qGreen(top) * (1 - t) + qGreen(bottom) * t),
                              int(qBlue(top) * (1 - t) + qBlue(bottom) * t));
        for (int x = 0; x < w; ++x) {
            QRgb c = sky;
            const int ground = h - 70 + int(18 * std::sin((x + seed * 40) / 45.0));
            if (y > ground)
                c = qRgb(40 + seed * 20, 110, 60);
            else if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                c = qRgb(255, 200, 60);
            img.setPixel(x, y, c);
        }
    }
    return img.save(path, "PNG");
}

// 16-bit mono PCM in a RIFF/WAVE container.
QByteArray wave(const QVector<qint16> &samples, int rate)
{
    QByteArray out;
    auto put32 = [&out](quint32 v) { v = qToLittleEndian(v); out.append(reinterpret_cast<const char *>(&v), 4); };
    auto put16 = [&out](quint16 v) { v = qToLittleEndian(v); out.append(reinterpret_cast<const char *>(&v), 2); };
    const quint32 dataBytes = quint32(samples.size()) * 2;
    out.append("RIFF");
    put32(36 + dataBytes);
    out.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(quint32(rate));
    put32(quint32(rate) * 2);
    put16(2);
    put16(16);
    out.append("data");
    put32(dataBytes);
    for (qint16 s : samples)
        put16(quint16(s));
    return out;
}

// A melody of (frequency, beats) notes with a soft attack and decay.
QByteArray tune(const QVector<QPair<double, double>> &notes, double beat, int rate)
{
    QVector<qint16> samples;
    for (const auto &n : notes) {
        const int count = int(n.second * beat * rate);
        for (int i = 0; i < count; ++i) {
            const double t = double(i) / rate;
            const double envelope = std::min(1.0, t * 40) * std::exp(-2.5 * t / (n.second * beat));
            double v = 0;
            if (n.first > 0)
                v = 0.6 * std::sin(2 * M_PI * n.first * t) + 0.2 * std::sin(4 * M_PI * n.first * t);
            samples.append(qint16(9000 * envelope * v));
        }
    }
    return wave(samples, rate);
}

bool writeFiles(const QString &dataDir, QString *error)
{
    FileStore files(dataDir);
    files.createFolders();
    const QString notes = files.folder(QStringLiteral("note")) + QLatin1Char('/');
    const double C = 261.63, D = 293.66, E = 329.63, F = 349.23, G = 392.0, A = 440.0;
    const bool ok =
        savePicture(notes + u(kNoteImage), qRgb(90, 150, 230), qRgb(250, 190, 150), 0)
        && savePicture(notes + u(kNoteImage2), qRgb(30, 60, 120), qRgb(120, 180, 220), 2)
        && savePicture(files.folder(QStringLiteral("workPlan")) + QLatin1Char('/') + u(kPlanImage), qRgb(200, 230, 200),
                       qRgb(250, 250, 210), 1)
        && saveFile(notes + u(kVoiceClip), tune({{A, 1}, {E, 1}, {A, 2}}, 0.3, 16000))
        && saveFile(notes + u(kAttachment),
                    u("岚舟管理系统演示附件\n\n这是一份随演示数据生成的文本附件，用来试用附件下载。\n").toUtf8())
        // WAVE data under the tune's fixed name: players recognise it by its content.
        && saveFile(files.folder(QString()) + QStringLiteral("/backgroundMusic.mp3"),
                    tune({{C, 1}, {C, 1}, {G, 1}, {G, 1}, {A, 1}, {A, 1}, {G, 2}, {F, 1}, {F, 1}, {E, 1}, {E, 1},
                          {D, 1}, {D, 1}, {C, 2}},
                         0.4, 22050));
    if (!ok)
        *error = QStringLiteral("cannot write the demo files");
    return ok;
}

// A note's content in the form the note editor writes it: the body element of
// its HTML, one paragraph.
QString noteBody(const QString &paragraph)
{
    return u("<body style=\" font-family:'Sans Serif'; font-size:9pt; font-weight:400; font-style:normal;\">\n"
             "<p style=\" margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; "
             "-qt-block-indent:0; text-indent:0px;\">")
        + paragraph + QStringLiteral("</p></body>");
}

bool seedUser(const QString &owner, QString *error)
{
    const QStringList noteKinds{u("指导笔记"), u("学习笔记"), u("工作笔记"), u("读书笔记"), u("有感而发"), u("日常生活"), u("其它")};
    // Reminder dates relative to today: past, today, within 7, 8-15, 16-30, beyond 30 days.
    const QList<int> offsets{-3, 0, 5, 11, 22, 45};
    for (int i = 0; i < noteKinds.size(); ++i) {
        const bool remind = i < offsets.size();
        QJsonObject n{{"mold", noteKinds.at(i)},
                      {"isShow", u("展示")},
                      {"grade", 1 + i % 5},
                      {"title", u("%1：%2的示例").arg(noteKinds.at(i), owner)},
                      {"content", noteBody(u("这是一条<span style=\" font-weight:700;\">%1</span>，记录于演示数据。")
                                                .arg(noteKinds.at(i)))},
                      {"address", i == 2 ? QStringLiteral("https://example.org/") : QString()},
                      {"registerDate", stamp(10 + i)},
                      {"updateDate", stamp(i)},
                      {"isRemind", remind ? u("开启") : u("关闭")},
                      {"remindMethod", i == 1 ? u("邮件") : QString()},
                      {"remindMethodBody", i == 1 ? QStringLiteral("demo@example.org") : QString()},
                      {"remindFrequency", i == 1 ? u("到前置期邮件提醒") : QString()},
                      {"remindDate", remind ? day(offsets.at(i)) : QString()},
                      {"remindDateNumber", remind ? 2 : 0},
                      {"image", i == 0 ? u(kNoteImage) : i == 5 ? u(kNoteImage2) : QString()},
                      {"volume", i == 4 ? u(kVoiceClip) : QString()},
                      {"attachedFile", i == 3 ? u(kAttachment) : QString()},
                      {"comment", u("演示")},
                      {"loginName", owner}};
        if (!add(QStringLiteral("note"), n, error))
            return false;
    }
    QJsonObject hidden{{"mold", u("其它")}, {"isShow", u("关闭")}, {"grade", 1}, {"title", u("已关闭的笔记")},
                       {"content", noteBody(u("不在默认列表中显示。"))}, {"registerDate", stamp(40)},
                       {"updateDate", stamp(40)}, {"isRemind", u("关闭")}, {"loginName", owner}};
    if (!add(QStringLiteral("note"), hidden, error))
        return false;

    // One tree of plans per owner, nested as the plan window places them: the
    // year holds the quarter, the quarter the month, the month its first week,
    // the week two of its days (a child starts within its parent's dates, and
    // the owner's one tag is contained in itself). Each plan of the tree falls
    // into another reminder window, so every dated view of the dashboard shows
    // whole trees. The finished month of last month holds a finished plan of the
    // kind "其它": that kind hangs only under the days, which are already five
    // levels deep, so no open plan has it.
    const QString tag = owner == QLatin1String("admin") ? u("工作") : u("学习");
    const QDate today = QDate::currentDate();
    const QDate year(today.year(), 1, 1);
    const QDate quarter(today.year(), (today.month() - 1) / 3 * 3 + 1, 1);
    const QDate month(today.year(), today.month(), 1);
    const QDate lastMonth = month.addMonths(-1);
    struct Plan
    {
        const char *mold, *title, *target;
        QDate start, end;
        int remind; // days from today, or kNoRemind
        bool done;
    };
    constexpr int kNoRemind = 1000;
    const Plan plans[] = {
        {"年度计划", "年度%1计划", "全年围绕%2定下四个季度的重点。", year, year.addYears(1).addDays(-1), 45, false},
        {"季度计划", "本季度%1计划", "本季度完成%2的两个阶段目标。", quarter, quarter.addMonths(3).addDays(-1), 22, false},
        {"月计划", "本月%1计划", "本月推进%2的一个阶段。", month, month.addMonths(1).addDays(-1), 11, false},
        {"周计划", "第一周%1安排", "第一周排定每天的%2任务。", month, month.addDays(6), 5, false},
        {"日计划", "第二天的%1", "整理资料，列出%2要点。", month.addDays(1), month.addDays(1), 0, false},
        {"日计划", "第三天的%1", "按要点完成%2的第一部分。", month.addDays(2), month.addDays(2), -3, false},
        {"月计划", "上月%1计划", "上月的%2安排已全部完成。", lastMonth, month.addDays(-1), kNoRemind, true},
        {"其它", "上月%1杂项", "上月顺手完成的%2杂事。", lastMonth.addDays(3), lastMonth.addDays(3), kNoRemind, true},
    };
    int serial = 0;
    for (const Plan &plan : plans) {
        const bool remind = plan.remind != kNoRemind;
        QJsonObject p{{"mold", u(plan.mold)},
                      {"isShow", plan.done ? u("完成") : u("正常")},
                      {"tag", tag},
                      {"serialNumber", ++serial},
                      {"title", u(plan.title).arg(tag)},
                      {"target", u(plan.target).arg(tag)},
                      {"gainProfit", u("按时完成，积累经验。")},
                      {"startDate", plan.start.toString(QStringLiteral("yyyy-MM-dd"))},
                      {"endDate", plan.end.toString(QStringLiteral("yyyy-MM-dd"))},
                      {"strategy", u("分步骤推进，每天留出固定时间。")},
                      {"measurableIndicator", u("每周检查一次进度。")},
                      {"actionPlan", u("先列清单，再逐项完成。")},
                      {"needResources", u("时间与专注。")},
                      {"difficulty", u("坚持。")},
                      {"completionStatus", plan.done ? 100.0 : 10.0 * serial},
                      {"score", plan.done ? 90 : 0},
                      {"auditor", u("管理员")},
                      {"registerDate", stamp(20 + serial)},
                      {"updateDate", stamp(serial)},
                      {"isRemind", remind ? u("开启") : u("关闭")},
                      {"remindMethod", QString()},
                      {"remindMethodBody", QString()},
                      {"remindFrequency", QString()},
                      {"remindDate", remind ? day(plan.remind) : QString()},
                      {"remindDateNumber", remind ? 3 : 0},
                      {"image", serial == 1 ? u(kPlanImage) : QString()},
                      {"comment", u("演示")},
                      {"loginName", owner}};
        if (!add(QStringLiteral("workPlan"), p, error))
            return false;
    }

    const QStringList remindKinds{u("事件"), u("生日"), u("缴费"), u("其它")};
    for (int i = 0; i <= offsets.size(); ++i) {
        const bool on = i < offsets.size();
        QJsonObject r{{"isRemind", on ? u("开启") : u("关闭")},
                      {"mold", remindKinds.at(i % remindKinds.size())},
                      {"title", u("提醒示例 %1").arg(i + 1)},
                      {"content", u("别忘了这件事。")},
                      {"address", QString()},
                      {"registerDate", stamp(15 + i)},
                      {"updateDate", stamp(i)},
                      {"remindDate", day(on ? offsets.at(i) : 3)},
                      {"remindMethod", QString()},
                      {"remindMethodBody", QString()},
                      {"remindDateNumber", 1},
                      {"comment", QString()},
                      {"loginName", owner}};
        if (!add(QStringLiteral("remind"), r, error))
            return false;
    }

    // Account ages fill every age window: within 30 days, 31-180, 181-365, 366-731, 732-1825, beyond.
    const QList<int> ages{5, 90, 250, 500, 1000, 2500};
    const QStringList sites{u("邮箱"), u("网盘"), u("论坛"), u("银行"), u("购物"), u("旧博客")};
    for (int i = 0; i < ages.size(); ++i) {
        QJsonObject a{{"accountName", sites.at(i)},  {"username", owner + QString::number(i + 1)},
                      {"password", QStringLiteral("pw%1").arg(1000 + i)},
                      {"userRealName", owner},       {"eMail", owner + QStringLiteral("@example.org")},
                      {"telephone", QStringLiteral("1380000000%1").arg(i)},
                      {"information1", u("安全问题：出生城市")}, {"information2", QString()},
                      {"registerDate", stamp(ages.at(i))}, {"updateDate", stamp(ages.at(i) / 2)},
                      {"comment", u("演示账户")},    {"loginName", owner}};
        if (!add(QStringLiteral("accountInfo"), a, error))
            return false;
    }
    return true;
}

bool seedMessages(QString *error)
{
    struct M
    {
        const char *os, *mold, *text;
        double flag;
        int grade;
    };
    const M messages[] = {
        {"windows", "about",
         "<h3>岚舟管理系统</h3><p>提醒、笔记、工作计划与账户的个人管理工具。</p><p>演示服务器运行在本机。</p>", 0, 0},
        {"windows", "instructions",
         "<p>左侧按钮打开各模块；“查看”按钮列出统计背后的记录；工具栏的“更新汇总”刷新统计。</p>", 0, 0},
        {"windows", "reminder", "欢迎使用演示数据，祝使用愉快！", 0, 1},
        {"windows", "versions", "当前已是最新版本。", 1.0, 1},
        {"android", "about", "安卓客户端说明。", 0, 0},
        {"webMobile", "reminder", "移动网页端提醒。", 0, 0},
        {"webDesk", "about", "桌面网页端说明。", 0, 0},
    };
    for (const M &m : messages) {
        QJsonObject o{{"appOS", QLatin1String(m.os)}, {"showSwitchStr", u("展示")}, {"mold", QLatin1String(m.mold)},
                      {"flag", m.flag}, {"grade", m.grade}, {"addDate", stamp(3)}, {"showDate", stamp(3)},
                      {"showEndDate", stamp(-365)}, {"message", u(m.text)}, {"comment", u("演示")}};
        if (!add(QStringLiteral("message"), o, error))
            return false;
    }
    return true;
}

} // namespace

bool DemoData::seed(const QString &dataDir, QString *error)
{
    QSqlDatabase db = Database::connection();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM \"user\"")) || !q.next()) {
        *error = QStringLiteral("cannot read the store");
        return false;
    }
    if (q.value(0).toLongLong() > 0)
        return true;
    if (!writeFiles(dataDir, error))
        return false;
    struct U
    {
        const char *name, *password, *realName, *prohibit, *cause;
        int grade, registeredDaysAgo;
    };
    const U users[] = {
        {"admin", "admin123", "管理员", "正常", "", 5, 400},
        {"demo", "demo123", "演示用户", "正常", "", 1, 0},
        {"banned", "banned123", "被禁用户", "禁止登录", "该账号因违反使用规定已被禁止登录，请联系管理员。", 1, 100},
    };
    for (const U &user : users) {
        QJsonObject o{{"username", QLatin1String(user.name)}, {"password", QLatin1String(user.password)},
                      {"realName", u(user.realName)}, {"telephone", QStringLiteral("13800000000")},
                      {"grade", 1}, {"eMail", QLatin1String(user.name) + QStringLiteral("@example.org")},
                      {"administrator", QString()},
                      {"registerDate", user.registeredDaysAgo == 0
                                           ? QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:01")
                                           : stamp(user.registeredDaysAgo)},
                      {"userImage", QString()}, {"loginDate", user.grade == 5 ? stamp(1) : QString()},
                      {"prohibit", u(user.prohibit)}, {"prohibitCause", u(user.cause)}, {"comment", u("演示用户")}};
        // Registration makes ordinary users; the administrator is raised afterwards.
        QJsonValue id;
        if (!write(QStringLiteral("user"), QStringLiteral("add"), o, error, &id)
            || (user.grade != 1
                && !write(QStringLiteral("user"), QStringLiteral("update"), QJsonObject{{"id", id}, {"grade", user.grade}},
                          error)))
            return false;
    }
    return seedUser(QStringLiteral("admin"), error) && seedUser(QStringLiteral("demo"), error) && seedMessages(error);
}
