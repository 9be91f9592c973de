// The reminder block through a small form whose slots, named after its
// widgets, call into the block as the note, work-plan and reminder dialogs do.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "domainnote.h"
#include "domainremind.h"
#include "domainuser.h"
#include "dworkplan.h"
#include "modalanswerer.h"
#include "reminderblock.h"

namespace {

QString today(int days = 0)
{
    return QDate::currentDate().addDays(days).toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

} // namespace

class ReminderForm : public QDialog
{
    Q_OBJECT

public:
    ReminderForm(ReminderBlock::Kind kind, int grade, const QString &eMail)
    {
        user.setGrade(grade);
        user.setEMail(eMail);
        auto *layout = new QVBoxLayout(this);
        isRemind = add<QComboBox>("comboBox_isRemind");
        method = add<QCheckBox>("checkBox_remindMethod");
        method->setText(QStringLiteral("邮件提醒"));
        address = add<QLineEdit>("lineEdit_remindMethodBody");
        if (kind == ReminderBlock::Kind::Optional)
            frequency = add<QComboBox>("comboBox_remindFrequency");
        date = add<QDateEdit>("dateEdit_remindDate");
        days = add<QLineEdit>("lineEdit_remindDateNumber");
        for (QWidget *widget : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            layout->addWidget(widget);
        QMetaObject::connectSlotsByName(this);
        block.bind(kind, {isRemind, method, address, frequency, date, days});
        block.setUser(&user);
        show();
        QVERIFY(QTest::qWaitForWindowExposed(this));
    }

    // A click on the box itself (the widget is wider than box and text).
    void toggleMail() { QTest::mouseClick(method, Qt::LeftButton, {}, QPoint(6, method->height() / 2)); }

    void typeAddress(const QString &text)
    {
        address->clear();
        QTest::keyClicks(address, text);
    }

    DomainUser user;
    ReminderBlock block;
    QComboBox *isRemind;
    QCheckBox *method;
    QLineEdit *address;
    QComboBox *frequency = nullptr;
    QDateEdit *date;
    QLineEdit *days;

private slots:
    void on_comboBox_isRemind_currentTextChanged(const QString &text) { block.isRemindChanged(text); }
    void on_checkBox_remindMethod_stateChanged(int state) { block.methodChanged(state); }
    void on_lineEdit_remindMethodBody_editingFinished() { block.addressFinished(); }

private:
    template<class W>
    W *add(const char *name)
    {
        auto *widget = new W(this);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    }
};

class TestKitReminderBlock : public QObject
{
    Q_OBJECT

private slots:
    void optionalStartsOffAndFollowsIsRemind();
    void mailSwitchNeedsGradeTwo();
    void addressFinishedPicksFrequencyOrWarns();
    void optionalChecksInOrder();
    void switchedOffKeepsOrClearsTheDate();
    void loadKeepsStoredSettings();
    void datedReminderChecks();
};

void TestKitReminderBlock::optionalStartsOffAndFollowsIsRemind()
{
    ReminderForm form(ReminderBlock::Kind::Optional, 2, QStringLiteral("me@x.cn"));
    QCOMPARE(items(form.isRemind), (QStringList{"关闭", "开启"}));
    QCOMPARE(items(form.frequency),
             (QStringList{"无邮件提醒", "到前置期邮件提醒", "每日邮件提醒", "每周邮件提醒", "每月邮件提醒"}));
    QCOMPARE(form.isRemind->currentText(), QStringLiteral("关闭"));
    QCOMPARE(form.address->placeholderText(), QStringLiteral("设置邮件提醒,请点击左侧开关"));
    QCOMPARE(form.date->date(), QDate::currentDate());
    QVERIFY(form.date->calendarPopup());
    QCOMPARE(form.days->text(), QStringLiteral("0"));
    QVERIFY(form.days->validator());
    for (QWidget *w : QList<QWidget *>{form.method, form.address, form.frequency, form.date, form.days})
        QVERIFY(!w->isEnabled());

    form.isRemind->setCurrentText(QStringLiteral("开启"));
    QVERIFY(form.method->isEnabled() && form.date->isEnabled() && form.days->isEnabled());
    QVERIFY(!form.address->isEnabled() && !form.frequency->isEnabled());

    form.toggleMail();
    QVERIFY(form.method->isChecked());
    QCOMPARE(form.address->text(), QStringLiteral("me@x.cn"));
    QCOMPARE(form.frequency->currentText(), QStringLiteral("到前置期邮件提醒"));
    QVERIFY(form.address->isEnabled() && form.frequency->isEnabled());

    // Off disables everything, the switch keeps its state; on again opens the address too.
    form.isRemind->setCurrentText(QStringLiteral("关闭"));
    for (QWidget *w : QList<QWidget *>{form.method, form.address, form.frequency, form.date, form.days})
        QVERIFY(!w->isEnabled());
    QVERIFY(form.method->isChecked());
    form.isRemind->setCurrentText(QStringLiteral("开启"));
    QVERIFY(form.address->isEnabled() && form.frequency->isEnabled());

    form.toggleMail();
    QVERIFY(!form.method->isChecked());
    QVERIFY(form.address->text().isEmpty());
    QVERIFY(!form.address->isEnabled() && !form.frequency->isEnabled());
    QCOMPARE(form.frequency->currentIndex(), 0);
}

void TestKitReminderBlock::mailSwitchNeedsGradeTwo()
{
    ModalAnswerer answerer;
    {
        ReminderForm form(ReminderBlock::Kind::Optional, 1, QStringLiteral("me@x.cn"));
        form.isRemind->setCurrentText(QStringLiteral("开启"));
        answerer.box(QStringLiteral("提示信息"), QStringLiteral("只有高级用户才可以设置邮件提醒"), QStringLiteral("知道了"));
        form.toggleMail();
        ANSWERED(answerer);
        QVERIFY(!form.method->isChecked());
        QVERIFY(!form.address->isEnabled());
        QVERIFY(form.address->text().isEmpty());
    }
    {
        ReminderForm form(ReminderBlock::Kind::Optional, 2, QString());
        form.isRemind->setCurrentText(QStringLiteral("开启"));
        form.toggleMail();
        QVERIFY(form.address->isEnabled());
        QVERIFY(form.address->text().isEmpty());
        QCOMPARE(form.address->placeholderText(), QStringLiteral("请输入邮箱"));
        QCOMPARE(form.frequency->currentIndex(), 0);
    }
    {
        // Reminders: the switch is open from the start, there is no frequency.
        ReminderForm form(ReminderBlock::Kind::Dated, 3, QStringLiteral("me@x.cn"));
        QCOMPARE(items(form.isRemind), (QStringList{"开启", "关闭"}));
        QVERIFY(form.method->isEnabled() && form.date->isEnabled() && form.days->isEnabled());
        QVERIFY(!form.address->isEnabled());
        form.toggleMail();
        QCOMPARE(form.address->text(), QStringLiteral("me@x.cn"));
        QVERIFY(form.address->isEnabled());
        // No address check on leaving the field here.
        form.typeAddress(QStringLiteral("ab"));
        QTest::keyClick(form.address, Qt::Key_Return);
        form.isRemind->setCurrentText(QStringLiteral("关闭"));
        QVERIFY(form.address->isEnabled() && form.date->isEnabled());
    }
    ANSWERED(answerer);
}

void TestKitReminderBlock::addressFinishedPicksFrequencyOrWarns()
{
    ReminderForm form(ReminderBlock::Kind::Optional, 2, QString());
    form.isRemind->setCurrentText(QStringLiteral("开启"));
    form.toggleMail();
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("请输入正确邮箱"), QStringLiteral("知道了"));
    form.typeAddress(QStringLiteral("a@b"));
    QTest::keyClick(form.address, Qt::Key_Return);
    ANSWERED(answerer);
    QCOMPARE(form.frequency->currentIndex(), 0);

    form.frequency->setCurrentText(QStringLiteral("每日邮件提醒"));
    form.typeAddress(QStringLiteral("a@b.c"));
    QTest::keyClick(form.address, Qt::Key_Return);
    QCOMPARE(form.frequency->currentText(), QStringLiteral("到前置期邮件提醒"));
    ANSWERED(answerer);
}

void TestKitReminderBlock::optionalChecksInOrder()
{
    ReminderForm form(ReminderBlock::Kind::Optional, 2, QString());
    DomainNote note;
    form.isRemind->setCurrentText(QStringLiteral("开启"));
    form.toggleMail();

    QCOMPARE(form.block.store(note), QStringLiteral("既然选择了邮件提醒,请输入邮箱名称"));
    for (const char *wrong : {"ab", "a@b", "a.b"}) {
        form.address->setText(QString::fromLatin1(wrong));
        QCOMPARE(form.block.store(note), QStringLiteral("请输入正确的邮箱"));
    }
    form.address->setText(QStringLiteral(".@"));
    form.frequency->setCurrentIndex(0);
    QCOMPARE(form.block.store(note), QStringLiteral("既然选择一个正确邮件提醒频率,至少是<到期邮件提醒>"));
    form.frequency->setCurrentText(QStringLiteral("每周邮件提醒"));
    form.date->setDate(QDate::currentDate().addDays(-1));
    QCOMPARE(form.block.store(note), QStringLiteral("提醒日期必须大于或是等于今天"));

    form.date->setDate(QDate::currentDate());
    form.days->setText(QStringLiteral("-"));
    QCOMPARE(form.block.store(note), QString());
    QCOMPARE(note.getIsRemind(), QStringLiteral("开启"));
    QCOMPARE(note.getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(note.getRemindMethodBody(), QStringLiteral(".@"));
    QCOMPARE(note.getRemindFrequency(), QStringLiteral("每周邮件提醒"));
    QCOMPARE(note.getRemindDate(), today());
    QCOMPARE(note.getRemindDateNumber(), 0);

    // A changed note may keep a past date.
    note.setId(9);
    form.date->setDate(QDate::currentDate().addDays(-1));
    form.days->setText(QStringLiteral("-3"));
    QCOMPARE(form.block.store(note), QString());
    QCOMPARE(note.getRemindDate(), today(-1));
    QCOMPARE(note.getRemindDateNumber(), -3);

    // A new note with the reminder off goes without e-mail and date, whatever the switch shows.
    DomainNote fresh;
    form.isRemind->setCurrentText(QStringLiteral("关闭"));
    QCOMPARE(form.block.store(fresh), QString());
    QCOMPARE(fresh.getIsRemind(), QStringLiteral("关闭"));
    QVERIFY(fresh.getRemindMethod().isEmpty() && fresh.getRemindMethodBody().isEmpty());
    QVERIFY(fresh.getRemindFrequency().isEmpty() && fresh.getRemindDate().isEmpty());
}

void TestKitReminderBlock::switchedOffKeepsOrClearsTheDate()
{
    ReminderForm form(ReminderBlock::Kind::Optional, 2, QString());
    for (const QString &stored : {QString(), QStringLiteral("2020-02-02")}) {
        DWorkPlan plan;
        plan.setId(4);
        plan.setIsRemind(QStringLiteral("关闭"));
        plan.setRemindDate(stored);
        plan.setRemindDateNumber(2);
        form.block.load(plan);
        QCOMPARE(form.block.store(plan), QString());
        QCOMPARE(plan.getRemindDate(), stored); // not today's date
        QCOMPARE(plan.getRemindDateNumber(), 2);
        QCOMPARE(plan.getIsRemind(), QStringLiteral("关闭"));
    }
    // Switched on, the date shown is stored.
    ReminderForm other(ReminderBlock::Kind::Optional, 2, QString());
    DWorkPlan plan;
    plan.setId(4);
    other.block.load(plan);
    other.isRemind->setCurrentText(QStringLiteral("开启"));
    QCOMPARE(other.block.store(plan), QString());
    QCOMPARE(plan.getRemindDate(), today());
}

void TestKitReminderBlock::loadKeepsStoredSettings()
{
    ModalAnswerer answerer; // no box may come while a record loads
    ReminderForm form(ReminderBlock::Kind::Optional, 1, QString());
    DomainNote note;
    note.setId(3);
    note.setIsRemind(QStringLiteral("开启"));
    note.setRemindMethod(QStringLiteral("邮件"));
    note.setRemindMethodBody(QStringLiteral("old@x.cn"));
    note.setRemindFrequency(QStringLiteral("每周邮件提醒"));
    note.setRemindDate(QStringLiteral("2020-01-01"));
    note.setRemindDateNumber(3);
    form.block.load(note);
    ANSWERED(answerer);
    QVERIFY(form.method->isChecked() && form.method->isEnabled());
    QCOMPARE(form.address->text(), QStringLiteral("old@x.cn"));
    QVERIFY(!form.address->isEnabled()); // grade 1: kept, not set anew
    QCOMPARE(form.frequency->currentText(), QStringLiteral("每周邮件提醒"));
    QCOMPARE(form.date->date(), QDate(2020, 1, 1));
    QCOMPARE(form.days->text(), QStringLiteral("3"));
    QCOMPARE(form.block.store(note), QString());
    QCOMPARE(note.getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(note.getRemindMethodBody(), QStringLiteral("old@x.cn"));
    QCOMPARE(note.getRemindFrequency(), QStringLiteral("每周邮件提醒"));
    QCOMPARE(note.getRemindDate(), QStringLiteral("2020-01-01"));

    // Values the combos do not list are shown as extra items and kept.
    note.setIsRemind(QStringLiteral("暂停"));
    note.setRemindFrequency(QStringLiteral("每年邮件提醒"));
    form.block.load(note);
    QCOMPARE(form.isRemind->currentText(), QStringLiteral("暂停"));
    QCOMPARE(form.isRemind->count(), 3);
    QCOMPARE(form.block.store(note), QString());
    QCOMPARE(note.getIsRemind(), QStringLiteral("暂停"));
    QCOMPARE(note.getRemindFrequency(), QStringLiteral("每年邮件提醒"));

    // A grade-1 user can switch the stored e-mail reminder off, not on again.
    form.isRemind->setCurrentText(QStringLiteral("开启"));
    form.toggleMail();
    QVERIFY(!form.method->isChecked());
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("只有高级用户才可以设置邮件提醒"), QStringLiteral("知道了"));
    form.toggleMail();
    ANSWERED(answerer);
    QVERIFY(!form.method->isChecked());
    QCOMPARE(form.block.store(note), QString());
    QVERIFY(note.getRemindMethod().isEmpty() && note.getRemindMethodBody().isEmpty());
}

void TestKitReminderBlock::datedReminderChecks()
{
    ModalAnswerer answerer;
    ReminderForm form(ReminderBlock::Kind::Dated, 2, QString());
    DomainRemind remind;
    QCOMPARE(form.block.store(remind), QStringLiteral("提醒日期必须大于今天")); // today is refused
    form.toggleMail();
    QCOMPARE(form.block.store(remind), QStringLiteral("既然选择了邮件提醒,请输入邮箱名称"));
    form.typeAddress(QStringLiteral("a@b"));
    QCOMPARE(form.block.store(remind), QStringLiteral("请输入正确的邮箱"));
    form.typeAddress(QStringLiteral("a.b@"));
    QCOMPARE(form.block.store(remind), QStringLiteral("提醒日期必须大于今天"));
    form.date->setDate(QDate::currentDate().addDays(1));
    QCOMPARE(form.block.store(remind), QString());
    QCOMPARE(remind.getIsRemind(), QStringLiteral("开启"));
    QCOMPARE(remind.getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(remind.getRemindMethodBody(), QStringLiteral("a.b@"));
    QCOMPARE(remind.getRemindDate(), today(1));

    // A changed reminder whose date has passed is refused as well; a grade-1
    // user's stored e-mail reminder is kept.
    ReminderForm gradeOne(ReminderBlock::Kind::Dated, 1, QString());
    DomainRemind stored;
    stored.setId(5);
    stored.setIsRemind(QStringLiteral("关闭"));
    stored.setRemindMethod(QStringLiteral("邮件"));
    stored.setRemindMethodBody(QStringLiteral("old@x.cn"));
    stored.setRemindDate(today(-1));
    gradeOne.block.load(stored);
    QCOMPARE(gradeOne.block.store(stored), QStringLiteral("提醒日期必须大于今天"));
    gradeOne.date->setDate(QDate::currentDate().addDays(2));
    QCOMPARE(gradeOne.block.store(stored), QString());
    QCOMPARE(stored.getIsRemind(), QStringLiteral("关闭"));
    QCOMPARE(stored.getRemindMethod(), QStringLiteral("邮件"));
    QCOMPARE(stored.getRemindMethodBody(), QStringLiteral("old@x.cn"));
    QCOMPARE(stored.getRemindDate(), today(2));
    ANSWERED(answerer);
}

QTEST_MAIN(TestKitReminderBlock)
#include "tst_kit_reminderblock.moc"
