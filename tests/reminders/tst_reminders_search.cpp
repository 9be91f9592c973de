// Every criterion of the reminder search, chosen in the dialog as a person
// would, finds its reminders through the window and the real server.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

#include "domainui.h"
#include "domainuser.h"
#include "modalanswerer.h"
#include "remindwindow.h"
#include "serverprocess.h"

namespace {

const QDate kToday = QDate::currentDate();

QString day(int offset)
{
    return kToday.addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

struct Seed {
    const char *title;
    const char *isRemind;
    const char *mold;
    const char *content;
    const char *address;
    const char *registerDate;
    const char *updateDate;
    int remindIn;
    const char *method;
    const char *body;
    int lead;
    const char *comment;
    const char *owner;
};

const Seed kSeeds[] = {
    {"alpha", "开启", "事件", "买牛奶", "http://a.cn", "2024-01-05 10:00:00", "2024-01-06 10:00:00", 3, "", "", 1,
     "c1", "alice"},
    {"beta", "关闭", "生日", "生日快乐", "", "2024-02-05 09:00:00", "2024-02-06 09:00:00", 20, "邮件", "b@x.cn", 5,
     "it's", "bob"},
    {"gamma", "开启", "缴费", "电费", "http://g.cn/pay", "2024-03-05 08:00:00", "2024-03-06 08:00:00", 40, "", "",
     10, "c3", "carol"},
};

// One search in the open dialog: what the person sets before pressing "确   认".
struct Criterion {
    const char *name;
    std::function<void(QWidget *)> set;
    QStringList expected; // sorted titles
    bool refused = false;  // the dialog refuses it: nothing is sent
};

template<class T>
T *child(QWidget *w, const QString &name)
{
    return w->findChild<T *>(name);
}

void tick(QWidget *w, const QString &field)
{
    QTest::mouseClick(child<QCheckBox>(w, "checkBox_" + field), Qt::LeftButton);
}

std::function<void(QWidget *)> text(const QString &field, const QString &value)
{
    return [field, value](QWidget *w) {
        tick(w, field);
        child<QLineEdit>(w, "lineEdit_" + field)->insert(value); // as an input method commits it
    };
}

std::function<void(QWidget *)> choice(const QString &field, const QString &value)
{
    return [field, value](QWidget *w) {
        tick(w, field);
        child<QComboBox>(w, "comboBox_" + field)->setCurrentText(value);
    };
}

std::function<void(QWidget *)> date(const QString &field, const QString &op, const QDate &from,
                                    const QDate &to = QDate())
{
    return [=](QWidget *w) {
        tick(w, field);
        child<QComboBox>(w, "comboBox_" + field)->setCurrentText(op);
        child<QDateEdit>(w, "dateEdit_" + field + "1")->setDate(from);
        if (to.isValid())
            child<QDateEdit>(w, "dateEdit_" + field + "2")->setDate(to);
    };
}

std::function<void(QWidget *)> days(const QString &op, const QString &first, const QString &second = QString())
{
    return [=](QWidget *w) {
        tick(w, "remindDateNumber");
        child<QComboBox>(w, "comboBox_remindDateNumber")->setCurrentText(op);
        auto *one = child<QLineEdit>(w, "lineEdit_remindDateNumber1");
        one->clear();
        QTest::keyClicks(one, first);
        if (!second.isNull()) {
            auto *two = child<QLineEdit>(w, "lineEdit_remindDateNumber2");
            two->clear();
            QTest::keyClicks(two, second);
        }
    };
}

} // namespace

class TestRemindersSearch : public QObject
{
    Q_OBJECT

private slots:
    void eachCriterionFindsItsReminders();
};

void TestRemindersSearch::eachCriterionFindsItsReminders()
{
    ServerProcess server(false);
    QVERIFY(server.start());
    for (const Seed &s : kSeeds) {
        const QJsonObject record{{"id", 0},
                                 {"isRemind", s.isRemind},
                                 {"mold", s.mold},
                                 {"title", s.title},
                                 {"content", s.content},
                                 {"address", s.address},
                                 {"registerDate", s.registerDate},
                                 {"updateDate", s.updateDate},
                                 {"remindDate", day(s.remindIn)},
                                 {"remindMethod", s.method},
                                 {"remindMethodBody", s.body},
                                 {"remindDateNumber", s.lead},
                                 {"comment", s.comment},
                                 {"loginName", s.owner}};
        QCOMPARE(ServerProcess::add("remind", record).value("flag").toInt(), 1);
    }

    const QList<Criterion> criteria{
        {"isRemind", choice("isRemind", "关闭"), {"beta"}},
        {"mold", choice("mold", "缴费"), {"gamma"}},
        {"title", text("title", "alp"), {"alpha"}},
        {"content", text("content", "牛奶"), {"alpha"}},
        {"address", text("address", "g.cn"), {"gamma"}},
        {"remindMethod", text("remindMethod", "邮件"), {"beta"}},
        {"remindMethodBody", text("remindMethodBody", "@x"), {"beta"}},
        {"comment with a quote", text("comment", "'s"), {"beta"}},
        {"loginName", text("loginName", "car"), {"gamma"}},
        {"registerDate =", date("registerDate", "=", QDate(2024, 2, 5)), {"beta"}},
        {"updateDate <", date("updateDate", "<", QDate(2024, 2, 1)), {"alpha"}},
        {"updateDate !=", date("updateDate", "!=", QDate(2024, 2, 6)), {"alpha", "gamma"}},
        {"remindDate 介于", date("remindDate", "介于", kToday.addDays(10), kToday.addDays(30)), {"beta"}},
        {"remindDate >=", date("remindDate", ">=", kToday.addDays(20)), {"beta", "gamma"}},
        {"remindDateNumber 介于", days("介于", "2", "7"), {"beta"}},
        {"remindDateNumber >", days(">", "5"), {"gamma"}},
        {"remindDateNumber <= -1", days("<=", "-1"), {}},
        {"two criteria", [](QWidget *w) { choice("isRemind", "开启")(w); days("<", "5")(w); }, {"alpha"}},
        {"empty days field", days(">", ""), {}, true},
        {"title switched on, field empty", [](QWidget *w) { tick(w, "title"); }, {}, true},
    };

    DomainUser root;
    root.setUsername("root");
    root.setGrade(5);
    RemindWindow window;
    window.receiveUser(root, 1);
    window.show();
    DomainUi all;
    all.setCurPage(1);
    all.setPageSize(0);
    window.receiveDomainUi(all);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 3);
    auto titles = [table] {
        QStringList list;
        for (int r = 0; r < table->rowCount(); ++r)
            list << table->item(r, 2)->text();
        list.sort();
        return list;
    };

    QStringList found;
    QStringList refusals;
    ModalAnswerer answerer;
    answerer.dialog("RemindSearchDialog", [&](QWidget *dialog) {
        for (const Criterion &c : criteria) {
            QTest::mouseClick(child<QPushButton>(dialog, "pushButton_clear"), Qt::LeftButton);
            c.set(dialog);
            auto *confirm = child<QPushButton>(dialog, "pushButton_confirm");
            if (c.refused) {
                // The box over the dialog needs an answerer of its own.
                ModalAnswerer refusal;
                refusal.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
                QTest::mouseClick(confirm, Qt::LeftButton);
                refusals << refusal.problems();
                if (!refusal.allAnswered())
                    refusals << QStringLiteral("%1: no refusal").arg(QString::fromUtf8(c.name));
            } else {
                QTest::mouseClick(confirm, Qt::LeftButton);
            }
            found << QStringLiteral("%1: %2").arg(QString::fromUtf8(c.name), titles().join(','));
        }
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_cancel"), Qt::LeftButton);
    });
    window.findChild<QAction *>("findAction")->trigger();
    ANSWERED(answerer);
    QVERIFY2(refusals.isEmpty(), qPrintable(refusals.join(QLatin1Char('\n'))));

    QStringList expected;
    QString shown;
    for (const Criterion &c : criteria) {
        // A refused search leaves the table as the search before it left it.
        if (c.refused)
            expected << QStringLiteral("%1: %2").arg(QString::fromUtf8(c.name), shown);
        else
            expected << QStringLiteral("%1: %2").arg(QString::fromUtf8(c.name), shown = c.expected.join(','));
    }
    QCOMPARE(found, expected);
}

QTEST_MAIN(TestRemindersSearch)
#include "tst_reminders_search.moc"
