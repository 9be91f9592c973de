#include "reminderblock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QIntValidator>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QSignalBlocker>

#include "domainuser.h"
#include "noticebox.h"
#include "storedchoice.h"

namespace {

const char *const kDateFormat = "yyyy-MM-dd";

QString on() { return QStringLiteral("开启"); }
QString off() { return QStringLiteral("关闭"); }
QString noMail() { return QStringLiteral("无邮件提醒"); }
QString switchHint() { return QStringLiteral("设置邮件提醒,请点击左侧开关"); }

void warn(const QString &text)
{
    NoticeBox::warning(QStringLiteral("提示信息"), text);
}

// Blocks the signals of the given widgets for its life.
class Quiet
{
public:
    explicit Quiet(std::initializer_list<QObject *> objects)
    {
        for (QObject *object : objects) {
            if (object)
                states.append({object, object->blockSignals(true)});
        }
    }
    ~Quiet()
    {
        for (const auto &state : states)
            state.first->blockSignals(state.second);
    }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    QList<QPair<QObject *, bool>> states;
};

} // namespace

void ReminderBlock::bind(Kind kind, const Widgets &widgets)
{
    this->kind = kind;
    w = widgets;
    if (kind == Kind::Dated)
        w.frequency = nullptr;
    Quiet quiet{w.isRemind, w.method, w.address, w.frequency, w.date, w.days};
    w.isRemind->addItems(kind == Kind::Optional ? QStringList{off(), on()} : QStringList{on(), off()});
    w.isRemind->setCurrentIndex(0);
    w.method->setChecked(false);
    w.address->setPlaceholderText(switchHint());
    if (w.frequency) {
        w.frequency->addItems({noMail(), QStringLiteral("到前置期邮件提醒"), QStringLiteral("每日邮件提醒"),
                               QStringLiteral("每周邮件提醒"), QStringLiteral("每月邮件提醒")});
        w.frequency->setCurrentIndex(0);
    }
    w.date->setCalendarPopup(true);
    w.date->setDate(QDate::currentDate());
    w.days->setValidator(new QIntValidator(w.days));
    w.days->setText(QStringLiteral("0"));
    bound = true;
    applyEnabled();
}

bool ReminderBlock::mayMail() const
{
    return user && user->getGrade() >= 2;
}

void ReminderBlock::applyEnabled()
{
    const bool reminding = kind == Kind::Dated || w.isRemind->currentText().contains(on());
    w.method->setEnabled(reminding);
    w.date->setEnabled(reminding);
    w.days->setEnabled(reminding);
    const bool mailOpen = reminding && w.method->isChecked() && mayMail();
    w.address->setEnabled(mailOpen);
    if (w.frequency)
        w.frequency->setEnabled(mailOpen);
}

void ReminderBlock::isRemindChanged(const QString &)
{
    if (bound && kind == Kind::Optional)
        applyEnabled();
}

void ReminderBlock::mailOff()
{
    w.address->setPlaceholderText(switchHint());
    w.address->clear();
    {
        const QSignalBlocker quiet(w.method);
        w.method->setChecked(false);
    }
    w.address->setEnabled(false);
    if (w.frequency) {
        w.frequency->setCurrentIndex(0);
        w.frequency->setEnabled(false);
    }
}

void ReminderBlock::methodChanged(int state)
{
    if (!bound)
        return;
    if (state != Qt::Checked) {
        mailOff();
        return;
    }
    if (!mayMail()) {
        warn(QStringLiteral("只有高级用户才可以设置邮件提醒"));
        mailOff();
        return;
    }
    w.address->setEnabled(true);
    if (w.frequency)
        w.frequency->setEnabled(true);
    const bool ownAddress = !user->getEMail().isEmpty();
    if (ownAddress)
        w.address->setText(user->getEMail());
    else
        w.address->setPlaceholderText(QStringLiteral("请输入邮箱"));
    if (w.frequency)
        w.frequency->setCurrentIndex(ownAddress ? 1 : 0);
}

void ReminderBlock::addressFinished()
{
    if (!bound || kind != Kind::Optional)
        return;
    const QString address = w.address->text();
    if (address.contains(QLatin1Char('@')) && address.contains(QLatin1Char('.')))
        w.frequency->setCurrentIndex(1);
    else
        warn(QStringLiteral("请输入正确邮箱"));
}

void ReminderBlock::loadFields(const Fields &f)
{
    if (!bound)
        return;
    Quiet quiet{w.isRemind, w.method, w.address, w.frequency, w.date, w.days};
    StoredChoice::select(w.isRemind, f.isRemind);
    const bool mail = f.remindMethod.contains(QStringLiteral("邮件"));
    w.method->setChecked(mail);
    w.address->setText(mail ? f.remindMethodBody : QString());
    w.address->setPlaceholderText(mail ? QStringLiteral("请输入邮箱") : switchHint());
    if (w.frequency)
        StoredChoice::select(w.frequency, f.remindFrequency.isEmpty() ? noMail() : f.remindFrequency);
    const QDate date = QDate::fromString(f.remindDate, QLatin1String(kDateFormat));
    if (date.isValid())
        w.date->setDate(date);
    w.days->setText(QString::number(f.remindDateNumber));
    applyEnabled();
}

QString ReminderBlock::addressProblem() const
{
    const QString address = w.address->text();
    if (address.isEmpty())
        return QStringLiteral("既然选择了邮件提醒,请输入邮箱名称");
    if (!address.contains(QLatin1Char('@')) || !address.contains(QLatin1Char('.')))
        return QStringLiteral("请输入正确的邮箱");
    if (w.frequency && w.frequency->currentText().contains(noMail()))
        return QStringLiteral("既然选择一个正确邮件提醒频率,至少是<到期邮件提醒>");
    return QString();
}

QString ReminderBlock::storeFields(Fields &f, bool adding) const
{
    if (!bound)
        return QString();
    const bool switchedOff = kind == Kind::Optional && w.isRemind->currentText().contains(off());
    if (adding && switchedOff) {
        f.remindMethod.clear();
        f.remindMethodBody.clear();
        f.remindFrequency.clear();
        f.remindDate.clear();
    } else {
        if (w.method->isChecked()) {
            const QString problem = addressProblem();
            if (!problem.isEmpty())
                return problem;
            f.remindMethod = QStringLiteral("邮件");
            f.remindMethodBody = w.address->text();
            f.remindFrequency = w.frequency ? w.frequency->currentText() : QString();
        } else {
            f.remindMethod.clear();
            f.remindMethodBody.clear();
            f.remindFrequency.clear();
        }
        const QDate date = w.date->date();
        const QDate today = QDate::currentDate();
        if (kind == Kind::Dated && date <= today)
            return QStringLiteral("提醒日期必须大于今天");
        if (kind == Kind::Optional && adding && date < today)
            return QStringLiteral("提醒日期必须大于或是等于今天");
        // A changed record whose reminder is off keeps its stored date.
        if (!switchedOff)
            f.remindDate = date.toString(QLatin1String(kDateFormat));
    }
    bool ok = false;
    const int days = w.days->text().toInt(&ok);
    f.remindDateNumber = ok ? days : 0;
    f.isRemind = w.isRemind->currentText();
    return QString();
}
