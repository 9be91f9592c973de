// Searching the notes against the real server: every criterion of the search
// dialog finds its notes in the window behind it, "查找" and "查询全部" too,
// and the dialog opened from the window works on the window's page size.
// Against a scripted server: the exact condition strings that the dialog
// hands to the window and that the window sends.
#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

#include "domainui.h"
#include "domainuser.h"
#include "guidriver.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "notesearchdialog.h"
#include "notewindow.h"
#include "scriptedserver.h"
#include "serverprocess.h"

namespace {

const QString kOwner = QStringLiteral("seek");

// Three notes of one owner, each criterion telling some of them apart.
QList<QJsonObject> seeds()
{
    return {
        QJsonObject{{"mold", "学习笔记"}, {"isShow", "展示"}, {"grade", 5}, {"title", "O'Neil的笔记"},
                    {"content", "内容甲"}, {"address", "http://a.example"}, {"comment", "备注甲"},
                    {"isRemind", "开启"}, {"remindMethod", "邮件"}, {"remindMethodBody", "a@b.cn"},
                    {"remindFrequency", "每日邮件提醒"}, {"remindDate", "2030-01-10"}, {"remindDateNumber", 7},
                    {"image", "a_1.png"}, {"registerDate", "2020-01-05 10:00:00"},
                    {"updateDate", "2021-02-06 10:00:00"}, {"loginName", kOwner}},
        QJsonObject{{"mold", "日常生活"}, {"isShow", "关闭"}, {"grade", 1}, {"title", "平常"}, {"content", "内容乙"},
                    {"isRemind", "关闭"}, {"volume", "v_1.wav"}, {"attachedFile", "f_1.txt"},
                    {"registerDate", "2022-05-05 10:00:00"}, {"updateDate", "2023-06-06 10:00:00"},
                    {"loginName", kOwner}},
        QJsonObject{{"mold", "工作笔记"}, {"isShow", "展示"}, {"grade", 3}, {"title", "周报"}, {"content", "内容丙"},
                    {"isRemind", "开启"}, {"remindDate", "2031-03-03"}, {"remindDateNumber", 2},
                    {"registerDate", "2024-01-01 10:00:00"}, {"updateDate", "2024-01-02 10:00:00"},
                    {"loginName", kOwner}},
    };
}

using Fill = std::function<void(NoteSearchDialog &)>;

template<class T>
T *child(NoteSearchDialog &d, const QString &name)
{
    return d.findChild<T *>(name);
}

void tick(NoteSearchDialog &d, const QString &key)
{
    child<QCheckBox>(d, QStringLiteral("checkBox_") + key)->setChecked(true);
}

// A combo criterion: tick it and choose the item.
Fill choice(const QString &key, const QString &item)
{
    return [=](NoteSearchDialog &d) {
        tick(d, key);
        auto *combo = child<QComboBox>(d, QStringLiteral("comboBox_") + key);
        combo->setCurrentIndex(combo->findText(item));
    };
}

// A text criterion: tick it and type the text.
Fill text(const QString &key, const QString &value)
{
    return [=](NoteSearchDialog &d) {
        tick(d, key);
        GuiDriver::type(child<QLineEdit>(d, QStringLiteral("lineEdit_") + key), value);
    };
}

// A date criterion with its operator and one or two dates.
Fill dated(const QString &key, const QString &op, const QString &from, const QString &to = QString())
{
    return [=](NoteSearchDialog &d) {
        tick(d, key);
        auto *ops = child<QComboBox>(d, QStringLiteral("comboBox_") + key);
        ops->setCurrentIndex(ops->findText(op));
        child<QDateEdit>(d, QStringLiteral("dateEdit_") + key + QLatin1Char('1'))->setDate(QDate::fromString(from, Qt::ISODate));
        if (!to.isEmpty())
            child<QDateEdit>(d, QStringLiteral("dateEdit_") + key + QLatin1Char('2'))->setDate(QDate::fromString(to, Qt::ISODate));
    };
}

// A criterion ticked and nothing else.
Fill ticked(const QString &key)
{
    return [=](NoteSearchDialog &d) { tick(d, key); };
}

// An item chosen in a combo, nothing ticked.
Fill item(const QString &combo, const QString &text)
{
    return [=](NoteSearchDialog &d) {
        auto *box = child<QComboBox>(d, QStringLiteral("comboBox_") + combo);
        box->setCurrentIndex(box->findText(text));
    };
}

// An operator row: tick it and choose the operator.
Fill op(const QString &key, const QString &operatorText)
{
    return [=](NoteSearchDialog &d) {
        tick(d, key);
        item(key, operatorText)(d);
    };
}

// The days row with its operator and one or two numbers typed.
Fill days(const QString &operatorText, const QString &first, const QString &second = QString())
{
    return [=](NoteSearchDialog &d) {
        op(QStringLiteral("remindDateNumber"), operatorText)(d);
        for (const auto &[name, value] : {std::pair{"lineEdit_remindDateNumber1", first},
                                          std::pair{"lineEdit_remindDateNumber2", second}}) {
            auto *edit = child<QLineEdit>(d, QString::fromLatin1(name));
            edit->clear();
            GuiDriver::type(edit, value);
        }
    };
}

// Several rows, set in the order given.
Fill all(const QList<Fill> &fills)
{
    return [=](NoteSearchDialog &d) {
        for (const Fill &fill : fills)
            fill(d);
    };
}

} // namespace

Q_DECLARE_METATYPE(Fill)

class TestNotesSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void criterionFindsItsNotes_data();
    void criterionFindsItsNotes();
    void quickSearchAndEverything();
    void searchFromTheWindow();
    void conditionStringsHandedOverAndSent_data();
    void conditionStringsHandedOverAndSent();
    void typedQuotesAreDoubled();
    void daysWithoutANumberRefuseTheSearch();
    void switchesStandBesideTheirLabels();

private:
    // Opens the search with the window's find action, runs `steps` on the dialog and
    // keeps the condition of every DomainUi the dialog hands over.
    static void search(NoteWindow &window, const std::function<void(NoteSearchDialog &, ModalAnswerer &)> &steps,
                       QStringList &handed);

    ServerProcess server;
    DomainUser user;
    DomainUser admin;
};

void TestNotesSearch::initTestCase()
{
    QVERIFY(server.start());
    for (const QJsonObject &note : seeds())
        QCOMPARE(ServerProcess::add(QStringLiteral("note"), note).value("flag").toInt(), 1);
    QCOMPARE(ServerProcess::add(QStringLiteral("note"), QJsonObject{{"title", "别人的"}, {"content", "内容丁"},
                                                                    {"isShow", "展示"}, {"loginName", "other"}})
                 .value("flag").toInt(),
             1);
    user.setUsername(kOwner);
    user.setGrade(1);
    admin.setUsername(QStringLiteral("admin"));
    admin.setGrade(5);
}

QStringList sortedTitles(const QTableWidget *table)
{
    QStringList t;
    for (int r = 0; r < table->rowCount(); ++r)
        t << table->item(r, 3)->text();
    t.sort();
    return t;
}

void TestNotesSearch::criterionFindsItsNotes_data()
{
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QStringList>("found");
    QTest::addColumn<bool>("administrator");
    const QString a = QStringLiteral("O'Neil的笔记"), b = QStringLiteral("平常"), c = QStringLiteral("周报");
    auto row = [](const char *name, Fill fill, QStringList found, bool administrator = false) {
        found.sort();
        QTest::newRow(name) << fill << found << administrator;
    };
    row("isShow", choice("isShow", "关闭"), {b});
    row("isShow 全部", choice("isShow", "全部"), {a, b, c});
    row("image 有图", choice("image", "有图"), {a});
    row("image 无图", choice("image", "无图"), {b, c});
    row("volume", choice("volume", "有声"), {b});
    row("attachedFile", choice("attachedFile", "有附件"), {b});
    row("attachedFile 无附件", choice("attachedFile", "无附件"), {a, c});
    row("grade", [](NoteSearchDialog &d) {
        tick(d, "grade");
        child<QComboBox>(d, "comboBox_grade1")->setCurrentText("3");
    }, {a});
    row("grade 介于", [](NoteSearchDialog &d) {
        tick(d, "grade");
        child<QComboBox>(d, "comboBox_grade")->setCurrentText("介于");
        child<QComboBox>(d, "comboBox_grade1")->setCurrentText("1");
        child<QComboBox>(d, "comboBox_grade2")->setCurrentText("2");
    }, {b});
    row("remindFrequency 无邮件提醒", choice("remindFrequency", "无邮件提醒"), {b, c});
    row("remindFrequency", choice("remindFrequency", "每日邮件提醒"), {a});
    row("isRemind", choice("isRemind", "开启"), {a, c});
    row("isRemind 全部", choice("isRemind", "全部"), {a, b, c});
    row("mold", choice("mold", "学习笔记"), {a});
    row("title with a quote", text("title", "O'Neil"), {a});
    row("content", text("content", "内容乙"), {b});
    row("address", text("address", "a.example"), {a});
    row("remindMethod 邮件", choice("remindMethod", "邮件"), {a});
    row("remindMethod 无", choice("remindMethod", "无"), {b, c});
    row("remindMethodBody", text("remindMethodBody", "a@b"), {a});
    row("comment", text("comment", "备注甲"), {a});
    row("loginName", text("loginName", "seek"), {a, b, c}, true);
    row("registerDate", dated("registerDate", "<", "2021-01-01"), {a});
    row("updateDate 介于", dated("updateDate", "介于", "2023-01-01", "2023-12-31"), {b});
    row("remindDate", dated("remindDate", "=", "2031-03-03"), {c});
    row("remindDateNumber", [](NoteSearchDialog &d) {
        tick(d, "remindDateNumber");
        child<QComboBox>(d, "comboBox_remindDateNumber")->setCurrentText(">=");
        auto *days = child<QLineEdit>(d, "lineEdit_remindDateNumber1");
        days->clear();
        GuiDriver::type(days, "5");
    }, {a});
    row("two criteria", [](NoteSearchDialog &d) {
        choice("isShow", "展示")(d);
        text("content", "内容")(d);
    }, {a, c});
}

void TestNotesSearch::criterionFindsItsNotes()
{
    QFETCH(Fill, fill);
    QFETCH(QStringList, found);
    QFETCH(bool, administrator);
    NoteWindow window;
    window.receiveUser(administrator ? admin : user, 1);
    NoteSearchDialog dialog;
    connect(&dialog, &NoteSearchDialog::sendDomainUi, &window, &NoteWindow::receiveDomainUi);
    dialog.receiveGrade(administrator ? 5 : 1);
    DomainUi state;
    state.setPageSize(30);
    dialog.receiveDomainUi(state);
    fill(dialog);
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton_confirm")), Qt::LeftButton);
    QCOMPARE(sortedTitles(window.findChild<QTableWidget *>(QStringLiteral("tableWidget"))), found);
}

void TestNotesSearch::quickSearchAndEverything()
{
    NoteWindow window;
    window.receiveUser(user, 1);
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    NoteSearchDialog dialog;
    connect(&dialog, &NoteSearchDialog::sendDomainUi, &window, &NoteWindow::receiveDomainUi);
    dialog.receiveGrade(1);
    DomainUi state;
    state.setPageSize(2);
    dialog.receiveDomainUi(state);
    dialog.show();

    // "查找" looks in the content only and ticks its switch.
    GuiDriver::type(dialog.findChild<QLineEdit *>(QStringLiteral("lineEdit_content")), QStringLiteral("内容丙"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton_find")), Qt::LeftButton);
    QCOMPARE(sortedTitles(table), QStringList({"周报"}));
    QVERIFY(dialog.findChild<QCheckBox *>(QStringLiteral("checkBox_content"))->isChecked());
    QVERIFY(dialog.isVisible());

    // "查询全部": every note of the user (not another's), the page size of the dialog.
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton_findAll")), Qt::LeftButton);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("comboBox_pageNumber"))->count(), 2);
    QVERIFY(!dialog.isVisible());
}

void TestNotesSearch::searchFromTheWindow()
{
    NoteWindow window;
    window.receiveUser(user, 1);
    window.show();
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QString pageSizeShown;
    QStringList afterConfirm;
    ModalAnswerer answerer;
    answerer.dialog("NoteSearchDialog", [&](QWidget *w) {
        auto &dialog = *qobject_cast<NoteSearchDialog *>(w);
        pageSizeShown = child<QLineEdit>(dialog, "lineEdit_pageSize")->text();
        // The owner row is for administrators only.
        QVERIFY(!child<QCheckBox>(dialog, "checkBox_loginName")->isVisible());
        choice("mold", "工作笔记")(dialog);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_confirm"), Qt::LeftButton);
        afterConfirm = sortedTitles(table);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_cancel"), Qt::LeftButton);
    });
    window.findChild<QAction *>(QStringLiteral("findAction"))->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(pageSizeShown, QStringLiteral("30"));
    QCOMPARE(afterConfirm, QStringList({"周报"}));
}

void TestNotesSearch::search(NoteWindow &window,
                             const std::function<void(NoteSearchDialog &, ModalAnswerer &)> &steps,
                             QStringList &handed)
{
    ModalAnswerer answerer;
    answerer.drive("NoteSearchDialog", [&](QWidget *w) {
        auto &dialog = *qobject_cast<NoteSearchDialog *>(w);
        connect(&dialog, &NoteSearchDialog::sendDomainUi, &dialog,
                [&](DomainUi &carried) { handed << carried.getConditionStr(); });
        steps(dialog, answerer);
    });
    window.findChild<QAction *>(QStringLiteral("findAction"))->trigger();
    ANSWERED(answerer);
}

void TestNotesSearch::conditionStringsHandedOverAndSent_data()
{
    QTest::addColumn<Fill>("fill");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("administrator");
    QTest::addColumn<QString>("handed"); // empty: refused with the box, nothing handed over
    const auto row = [](const char *name, const Fill &fill, const QString &handed, bool administrator = false,
                        const QString &button = QStringLiteral("pushButton_confirm")) {
        QTest::newRow(name) << fill << button << administrator << handed;
    };
    row("isShow 展示", choice("isShow", "展示"), " and isShow like '%展示%'");
    row("isShow 全部", choice("isShow", "全部"), " and isShow is not null  ");
    row("image 有图", choice("image", "有图"), " and (image is not null and image !='') ");
    row("image 无图", choice("image", "无图"), " and (image is null or image ='') ");
    row("volume 有声", choice("volume", "有声"), " and (volume is not null and volume !='') ");
    row("volume 无声", choice("volume", "无声"), " and (volume is null or volume ='') ");
    row("attachedFile 有附件", choice("attachedFile", "有附件"), " and (attachedFile is not null and attachedFile !='') ");
    row("attachedFile 无附件", choice("attachedFile", "无附件"), " and (attachedFile is null or attachedFile ='') ");
    row("grade", all({op("grade", ">="), item("grade1", "3")}), " and grade >= 3 ");
    row("grade 介于", all({op("grade", "介于"), item("grade1", "2"), item("grade2", "4")}),
        " and grade between 2 and 4 ");
    row("remindFrequency 无邮件提醒", choice("remindFrequency", "无邮件提醒"),
        " and (remindFrequency is null or remindFrequency='') ");
    row("remindFrequency", choice("remindFrequency", "每周邮件提醒"), " and remindFrequency like '%每周邮件提醒%' ");
    row("isRemind 关闭", choice("isRemind", "关闭"), " and isRemind like '%关闭%' ");
    row("isRemind 全部", choice("isRemind", "全部"), " and isRemind is not null  ");
    row("mold", choice("mold", "读书笔记"), " and mold like '%读书笔记%' ");
    row("title", text("title", "周报"), " and title like '%周报%' ");
    row("title of blanks", text("title", "  "), " and title like '%  %' ");
    row("content", text("content", "内容"), " and content like '%内容%' ");
    row("address", text("address", "a.example"), " and address like '%a.example%' ");
    row("remindMethod 邮件", choice("remindMethod", "邮件"), " and (remindMethod is not null and remindMethod !='') ");
    row("remindMethod 无", choice("remindMethod", "无"), " and (remindMethod is  null or remindMethod ='') ");
    row("remindMethodBody", text("remindMethodBody", "a@b"), " and remindMethodBody like '%a@b%' ");
    row("comment", text("comment", "备注"), " and comment like '%备注%' ");
    row("loginName", text("loginName", "seek"), " and loginName like '%seek%' ", true);
    row("registerDate", dated("registerDate", "<", "2021-01-01"), " and date(registerDate) < '2021-01-01' ");
    row("registerDate 介于 then >=",
        all({dated("registerDate", "介于", "2021-01-01", "2022-02-02"), op("registerDate", ">=")}),
        " and date(registerDate) >= '2021-01-01' ");
    row("updateDate 介于", dated("updateDate", "介于", "2023-01-01", "2023-12-31"),
        " and date(updateDate) between '2023-01-01' and '2023-12-31' ");
    row("remindDate", dated("remindDate", "!=", "2031-03-03"), " and date(remindDate) != '2031-03-03' ");
    row("remindDateNumber", days("<=", "5"), " and remindDate IS NOT NULL and remindDateNumber <= 5 ");
    row("remindDateNumber 介于", days("介于", "1", "7"),
        " and remindDate IS NOT NULL and remindDateNumber between 1 and 7 ");
    row("text rows left empty", all({ticked("title"), ticked("comment")}), QString());
    row("title, image and isShow ticked in that order",
        all({text("title", "周报"), choice("image", "有图"), choice("isShow", "展示")}),
        " and isShow like '%展示%' and (image is not null and image !='')  and title like '%周报%' ");
    row("every row ticked from the bottom up",
        all({days("<=", "5"), dated("remindDate", "=", "2031-03-03"),
             dated("updateDate", "介于", "2023-01-01", "2023-12-31"), dated("registerDate", "<", "2021-01-01"),
             text("loginName", "seek"), text("comment", "备注"), choice("isRemind", "全部"),
             choice("remindMethod", "无"), text("remindMethodBody", "a@b"), choice("remindFrequency", "每日邮件提醒"),
             choice("attachedFile", "无附件"), choice("volume", "有声"), choice("image", "无图"),
             op("grade", "介于"), item("grade1", "2"), item("grade2", "4"), text("address", "a.example"),
             choice("isShow", "关闭"), text("content", "内容"), choice("mold", "工作笔记"), text("title", "周报")}),
        QStringLiteral(" and isShow like '%关闭%'"
                       " and (image is null or image ='') "
                       " and (volume is not null and volume !='') "
                       " and (attachedFile is null or attachedFile ='') "
                       " and grade between 2 and 4 "
                       " and remindFrequency like '%每日邮件提醒%' "
                       " and isRemind is not null  "
                       " and mold like '%工作笔记%' "
                       " and title like '%周报%' "
                       " and content like '%内容%' "
                       " and address like '%a.example%' "
                       " and (remindMethod is  null or remindMethod ='') "
                       " and remindMethodBody like '%a@b%' "
                       " and comment like '%备注%' "
                       " and loginName like '%seek%' "
                       " and date(registerDate) < '2021-01-01' "
                       " and date(updateDate) between '2023-01-01' and '2023-12-31' "
                       " and date(remindDate) = '2031-03-03' "
                       " and remindDate IS NOT NULL and remindDateNumber <= 5 "),
        true);
    row("查找 looks in the content only", all({choice("isShow", "展示"), text("content", "内容")}),
        " and content like '%内容%'", false, "pushButton_find");
    row("查询全部", choice("isShow", "关闭"), " and 1=1 ", false, "pushButton_findAll");
}

void TestNotesSearch::conditionStringsHandedOverAndSent()
{
    QFETCH(Fill, fill);
    QFETCH(QString, button);
    QFETCH(bool, administrator);
    QFETCH(QString, handed);
    ScriptedServer scripted(server);
    QVERIFY(scripted.stub.listen(8091));
    scripted.stub.enqueue(StubResponse::list(QJsonArray(), 0));
    NoteWindow window;
    window.receiveUser(administrator ? admin : user, 1);

    QStringList carried;
    search(window, [&](NoteSearchDialog &dialog, ModalAnswerer &answerer) {
        fill(dialog);
        if (handed.isEmpty())
            answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
        if (button == QLatin1String("pushButton_confirm"))
            QCOMPARE(dialog.getConditionStr(), handed);
    }, carried);
    if (QTest::currentTestFailed())
        return;
    if (handed.isEmpty()) {
        QVERIFY(carried.isEmpty());
        QVERIFY(scripted.stub.requests.isEmpty());
        return;
    }
    QCOMPARE(carried, QStringList{handed});
    // The window puts the owner condition first below grade 5 and loads the first page.
    QCOMPARE(scripted.stub.requests.size(), 1);
    QCOMPARE(scripted.stub.requests[0].path, QByteArray("/android/note/findByCondition"));
    const QJsonObject sent = scripted.stub.requests[0].json();
    const QString owner = administrator ? QString() : QStringLiteral(" and loginName ='seek'");
    QCOMPARE(sent.value("conditionStr").toString(), owner + handed);
    QCOMPARE(sent.value("curPage").toInt(), 1);
    QCOMPARE(sent.value("pageSize").toInt(), 30);
}

void TestNotesSearch::typedQuotesAreDoubled()
{
    ScriptedServer scripted(server);
    QVERIFY(scripted.stub.listen(8091));
    NoteWindow window;
    window.receiveUser(user, 1);
    QStringList carried;
    search(window, [](NoteSearchDialog &dialog, ModalAnswerer &) {
        text("title", "O'Neil")(dialog);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_confirm"), Qt::LeftButton);
        GuiDriver::type(child<QLineEdit>(dialog, "lineEdit_content"), QStringLiteral("it's"));
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_find"), Qt::LeftButton);
    }, carried);
    QCOMPARE(carried, QStringList({" and title like '%O''Neil%' ", " and content like '%it''s%'"}));
    QCOMPARE(scripted.stub.requests.size(), 2);
    QCOMPARE(scripted.stub.requests[1].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='seek' and content like '%it''s%'"));
}

void TestNotesSearch::daysWithoutANumberRefuseTheSearch()
{
    NoteSearchDialog dialog;
    DomainUi state;
    state.setPageSize(30);
    dialog.receiveDomainUi(state);
    int handedOver = 0;
    connect(&dialog, &NoteSearchDialog::sendDomainUi, &dialog, [&] { ++handedOver; });
    // Ticked with the days emptied (or a lone sign), even beside another criterion.
    for (const QString &typed : {QString(), QStringLiteral("-")}) {
        days(">", typed)(dialog);
        text("title", "周报")(dialog);
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("查询异常提示"), QStringLiteral("请选择左侧查询开关并填写条件"), QStringLiteral("知道了"));
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_confirm"), Qt::LeftButton);
        ANSWERED(answerer);
        QCOMPARE(handedOver, 0);
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_clear"), Qt::LeftButton);
    }
}

// Each criterion's switch stands just left of its own label, on its row,
// not beside the widgets of the criterion before it.
void TestNotesSearch::switchesStandBesideTheirLabels()
{
    NoteSearchDialog dialog;
    dialog.receiveGrade(5);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto inDialog = [&](const QWidget *w, const QRect &r) { return r.translated(w->mapTo(&dialog, QPoint())); };
    QStringList apart;
    int switches = 0;
    const QList<QBoxLayout *> rows = dialog.findChildren<QBoxLayout *>();
    for (const QBoxLayout *row : rows) {
        for (int i = 0; i + 1 < row->count(); ++i) {
            auto *box = qobject_cast<QCheckBox *>(row->itemAt(i)->widget());
            auto *label = qobject_cast<QLabel *>(row->itemAt(i + 1)->widget());
            if (!box || !box->text().isEmpty() || !label)
                continue;
            ++switches;
            QStyleOptionButton option;
            option.initFrom(box);
            const QRect indicator =
                inDialog(box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box));
            const QRect text = inDialog(label, label->contentsRect());
            const int gap = text.left() - indicator.right() - 1;
            if (gap < 0 || gap > indicator.width() || indicator.center().y() < text.top()
                || indicator.center().y() > text.bottom())
                apart << QStringLiteral("%1: %2 px from \"%3\"").arg(box->objectName()).arg(gap).arg(label->text());
        }
    }
    QCOMPARE(switches, 19);
    QVERIFY2(apart.isEmpty(), qPrintable(apart.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestNotesSearch)
#include "tst_notes_search.moc"
