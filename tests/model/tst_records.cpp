// Records start empty with every number at 0; plans sort by serial number.
#include <QtTest>

#include <algorithm>

#include "domainaccount.h"
#include "domainmessage.h"
#include "domainnote.h"
#include "domainremind.h"
#include "domainui.h"
#include "domainuser.h"
#include "dworkplan.h"

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void freshRecordsAreEmpty()
    {
        DomainNote note;
        QCOMPARE(note.getId(), 0);
        QCOMPARE(note.getGrade(), 0);
        QCOMPARE(note.getRemindDateNumber(), 0);
        QVERIFY(note.getTitle().isEmpty() && note.getContent().isEmpty() && note.getAttachedFile().isEmpty());
        DomainAccount account;
        QCOMPARE(account.getId(), 0);
        QVERIFY(account.getAccountName().isEmpty() && account.getInformation2().isEmpty());
        DomainUi ui;
        QCOMPARE(ui.getCurPage() + ui.getPageSize() + ui.getTotalCount() + ui.getFlag(), 0);
        DomainMessage message;
        QCOMPARE(message.getFlag(), 0.0);
        QCOMPARE(message.getId() + message.getGrade(), 0);
        DWorkPlan plan;
        QCOMPARE(plan.getCompletionStatus(), 0.0);
        QCOMPARE(plan.getId() + plan.getSerialNumber() + plan.getScore() + plan.getRemindDateNumber(), 0);
        DomainUser user;
        QCOMPARE(user.getGrade(), 0);
        DomainRemind remind;
        QCOMPARE(remind.getRemindDateNumber(), 0);
    }

    void settersKeepValues()
    {
        DomainUser user;
        user.setEMail("a@b.c");
        user.setGrade(5);
        QCOMPARE(user.getEMail(), QStringLiteral("a@b.c"));
        QCOMPARE(user.getGrade(), 5);
        DomainMessage m;
        m.setAppOS("windows");
        m.setFlag(1.5);
        QCOMPARE(m.getAppOS(), QStringLiteral("windows"));
        QCOMPARE(m.getFlag(), 1.5);
    }

    void compareWorkPlan()
    {
        DWorkPlan a, b, c;
        a.setSerialNumber(3);
        b.setSerialNumber(3);
        QVERIFY(!DWorkPlan::compareWorkPlan(&a, &b));
        QVERIFY(!DWorkPlan::compareWorkPlan(&b, &a));
        a.setSerialNumber(-1);
        b.setSerialNumber(2);
        c.setSerialNumber(0);
        QList<const DWorkPlan *> plans{&b, &c, &a};
        std::sort(plans.begin(), plans.end(), DWorkPlan::compareWorkPlan);
        QCOMPARE(plans, (QList<const DWorkPlan *>{&a, &c, &b}));
    }
};

QTEST_APPLESS_MAIN(TestRecords)
#include "tst_records.moc"
