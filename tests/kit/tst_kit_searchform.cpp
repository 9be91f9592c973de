// The search-dialog kit on real widgets: operator rows, the condition of
// ticked rows with its refusals, the page-size field and the confirm,
// "查询全部", quick-search and clear steps with their boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "domainui.h"
#include "modalanswerer.h"
#include "searchcondition.h"
#include "searchform.h"
#include "serverprocess.h"

#define ANSWERED(answerer)                                                                                   \
    do {                                                                                                     \
        QVERIFY2((answerer).problems().isEmpty(), qPrintable((answerer).problems().join('\n')));           \
        QVERIFY((answerer).allAnswered());                                                                   \
    } while (false)

namespace {

QCheckBox *ticked(QWidget *parent, bool on = true)
{
    auto *box = new QCheckBox(parent);
    box->setChecked(on);
    return box;
}

QLineEdit *edit(QWidget *parent, const QString &text = QString())
{
    auto *e = new QLineEdit(text, parent);
    return e;
}

QComboBox *combo(QWidget *parent, const QStringList &items, const QString &current = QString())
{
    auto *c = new QComboBox(parent);
    c->addItems(items);
    if (!current.isNull())
        c->setCurrentText(current);
    return c;
}

QDateEdit *dateEdit(QWidget *parent, QDate date)
{
    auto *d = new QDateEdit(date, parent);
    return d;
}

// The buttons of a message box, as the user reads them.
QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *button : box->buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

} // namespace

class TestKitSearchForm : public QObject
{
    Q_OBJECT

private slots:
    void operatorRowShowsSecondValueWhileRange();
    void conditionKeepsReadOrderAndRefusesNonNumbers();
    void pageSizeFieldTakesWholeNumbersFromOne();
    void confirmRefusesThenHandsOver();
    void confirmBoxesOfStringCarriers();
    void findAllAndLeavingThePageSize();
    void quickSearchSendsItsFieldAlone();
    void clearAndOwnerRow();
    void fragmentsSelectTheirRowsOnTheServer_data();
    void fragmentsSelectTheirRowsOnTheServer();
};

void TestKitSearchForm::operatorRowShowsSecondValueWhileRange()
{
    QWidget host;
    auto *layout = new QHBoxLayout(&host);
    auto *op = new QComboBox;
    auto *first = new QLineEdit;
    auto *to = new QLabel(QStringLiteral("至"));
    auto *second = new QLineEdit;
    for (QWidget *w : {static_cast<QWidget *>(op), static_cast<QWidget *>(first), static_cast<QWidget *>(to),
                       static_cast<QWidget *>(second)})
        layout->addWidget(w);
    QObject::connect(op, &QComboBox::currentTextChanged, &host,
                     [&](const QString &text) { SearchForm::showSecondValue(text, {second, to}); });
    host.show();
    QVERIFY(second->isVisible());

    // Filling the empty combo selects ">" and runs the slot once: the second value goes.
    auto *other = new QComboBox(&host);
    other->addItem(QStringLiteral("keep"));
    SearchForm::fillOperators({op, other});
    QCOMPARE(op->count(), 7);
    QCOMPARE(op->currentText(), QStringLiteral(">"));
    QVERIFY(!second->isVisible() && !to->isVisible());
    QCOMPARE(other->count(), 8); // appended after what it holds
    QCOMPARE(other->itemText(7), QStringLiteral("介于"));

    op->setCurrentText(QStringLiteral("介于"));
    QVERIFY(second->isVisible() && to->isVisible());
    op->setCurrentText(QStringLiteral("!="));
    QVERIFY(!second->isVisible() && !to->isVisible());
}

void TestKitSearchForm::conditionKeepsReadOrderAndRefusesNonNumbers()
{
    QWidget form;
    const QStringList ops{">", "<", "=", ">=", "<=", "!=", "介于"};

    // Offered in read order; which switch was ticked first does not matter.
    auto *titleOn = ticked(&form, false);
    auto *moldOn = ticked(&form, false);
    moldOn->setChecked(true);
    titleOn->setChecked(true);
    auto *title = edit(&form, QStringLiteral("  "));            // blanks count as filled
    auto *emptyOn = ticked(&form);
    auto *empty = edit(&form);                                   // ticked but empty: nothing
    auto *offOn = ticked(&form, false);
    auto *off = edit(&form, QStringLiteral("ignored"));
    auto *tag = combo(&form, {""});                              // a choice always counts
    auto *dateOp = combo(&form, ops, QStringLiteral("介于"));
    auto *from = dateEdit(&form, QDate(2024, 5, 1));
    auto *to = dateEdit(&form, QDate(2024, 1, 31));
    auto *scoreOp = combo(&form, ops, QStringLiteral("<="));
    QSpinBox score(&form);
    score.setValue(7);

    SearchCondition condition;
    condition.addChoice(moldOn, "tag", tag);
    condition.addText(titleOn, "title", title, true);
    condition.addText(emptyOn, "content", empty);
    condition.addText(offOn, "address", off);
    condition.add(ticked(&form), ConditionBuilder::notNull("isShow"));
    condition.add(ticked(&form, false), ConditionBuilder::presence("image", true));
    condition.addDate(ticked(&form), "remindDate", dateOp, from, to);
    condition.addNumber(ticked(&form), "score", scoreOp, QString::number(score.value()), QString(), true);
    QVERIFY(!condition.refused());
    QCOMPARE(condition.toString(), QStringLiteral(" and tag like '%%' and title like '%  %'  and isShow is not null  "
                                                  " and date(remindDate) between '2024-05-01' and '2024-01-31' "
                                                  " and score <= 7 "));

    // A ticked number row that is empty or only a sign refuses the whole search.
    auto *daysOp = combo(&form, ops);
    for (const QString &typed : {QString(), QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("1 or 1=1")}) {
        SearchCondition refused;
        refused.addText(titleOn, "title", edit(&form, QStringLiteral("x")));
        refused.addNumber(ticked(&form), "flag", daysOp, typed, QString(), true);
        QVERIFY2(refused.refused(), qPrintable(typed));
        QCOMPARE(refused.toString(), QString());
    }
    // Unticked, the same row is not looked at; outside a range the second value is not either.
    SearchCondition kept;
    kept.addNumber(ticked(&form, false), "flag", daysOp, QStringLiteral("-"), QString());
    kept.addNumber(ticked(&form), "remindDateNumber", daysOp, QStringLiteral("0"), QStringLiteral("-"));
    QVERIFY(!kept.refused());
    QCOMPARE(kept.toString(), QStringLiteral(" and remindDateNumber > 0"));
    // In a range both ends must be numbers.
    daysOp->setCurrentText(QStringLiteral("介于"));
    SearchCondition range;
    range.addNumber(ticked(&form), "remindDateNumber", daysOp, QStringLiteral("0"), QString());
    QVERIFY(range.refused());
    QCOMPARE(range.toString(), QString());
}

void TestKitSearchForm::pageSizeFieldTakesWholeNumbersFromOne()
{
    QLineEdit field;
    SearchForm::setUpPageSize(&field);
    const struct {
        const char *typed;
        const char *shown;
        int size;
    } cases[] = {
        {"30", "30", 30},  {"-5", "5", 5},   {"+3", "3", 3},   {"0", "", 0},
        {"007", "7", 7},   {"abc", "", 0},   {"1.5", "15", 15}, {"12345678901", "123456789", 123456789},
    };
    for (const auto &c : cases) {
        field.clear();
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        QCOMPARE(field.text(), QString::fromLatin1(c.shown));
        QCOMPARE(SearchForm::pageSize(&field), c.size);
    }
    // What is put in by the program is read the same way.
    for (const char *text : {"0", "-5", "", "x", "99999999999"}) {
        field.setText(QString::fromLatin1(text));
        QCOMPARE(SearchForm::pageSize(&field), 0);
    }
}

void TestKitSearchForm::confirmRefusesThenHandsOver()
{
    QLineEdit pageSize;
    SearchForm::setUpPageSize(&pageSize);
    DomainUi carrier;
    carrier.setCurPage(1);
    ModalAnswerer answerer;

    // The empty condition is refused first, whatever the page size.
    answerer.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
    QVERIFY(!SearchForm::confirm(QString(), &pageSize, carrier));
    ANSWERED(answerer);
    answerer.box("提示信息", "每页显示个数不能为空", "知道了");
    QVERIFY(!SearchForm::confirm(" and grade > 1 ", &pageSize, carrier));
    ANSWERED(answerer);
    pageSize.setText(QStringLiteral("0"));
    answerer.box("提示信息", "每页显示个数不能为空", "知道了");
    QVERIFY(!SearchForm::confirm(" and grade > 1 ", &pageSize, carrier));
    ANSWERED(answerer);
    QCOMPARE(carrier.getPageSize(), 0);
    QCOMPARE(carrier.getConditionStr(), QString());

    // A dialog's own texts.
    const SearchForm::Refusal own(QStringLiteral("请选择左侧查询开关,并填写查询条件"), QStringLiteral("提示"));
    answerer.box("查询异常提示", "请选择左侧查询开关,并填写查询条件", "知道了");
    QVERIFY(!SearchForm::confirm(QString(), &pageSize, carrier, own));
    ANSWERED(answerer);
    answerer.box("提示", "每页显示个数不能为空", "知道了");
    QVERIFY(!SearchForm::confirm(" and grade > 1 ", &pageSize, carrier, own));
    ANSWERED(answerer);

    pageSize.setText(QStringLiteral("12"));
    QVERIFY(SearchForm::confirm(" and grade > 1 ", &pageSize, carrier, own));
    QCOMPARE(carrier.getPageSize(), 12);
    QCOMPARE(carrier.getCurPage(), 1);
    QCOMPARE(carrier.getConditionStr(), QStringLiteral(" and grade > 1 "));
    ANSWERED(answerer);
}

void TestKitSearchForm::confirmBoxesOfStringCarriers()
{
    ModalAnswerer answerer;
    answerer.box("查询异常提示", "请选择左侧查询开关并填写条件", "知道了");
    QVERIFY(!SearchForm::confirm(QString()));
    ANSWERED(answerer);
    QVERIFY(SearchForm::confirm(QStringLiteral(" and flag > 1 ")));

    // The plain box: no title, no icon, the heading as its text.
    answerer.dialog("QMessageBox", [](QWidget *w) {
        auto *box = static_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->windowTitle(), QString());
        QCOMPARE(box->text(), QStringLiteral("查询异常提示"));
        QCOMPARE(box->informativeText(), QStringLiteral("请选择左侧查询开关并填写条件"));
        QCOMPARE(buttonTexts(box), QStringList{"知道了"});
        QVERIFY(!box->parentWidget());
        ModalAnswerer::clickButton(box, QStringLiteral("知道了"));
    });
    QVERIFY(!SearchForm::confirm(QString(), SearchForm::Refusal::plainBox()));
    ANSWERED(answerer);
}

void TestKitSearchForm::findAllAndLeavingThePageSize()
{
    QDialog dialog;
    auto *pageSize = edit(&dialog);
    SearchForm::setUpPageSize(pageSize);
    DomainUi carrier;
    ModalAnswerer answerer;
    const auto standardWarning = [&dialog](QWidget *w) {
        auto *box = static_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->windowTitle(), QStringLiteral("提示"));
        QCOMPARE(box->text(), QStringLiteral("每页显示个数不能为空"));
        QVERIFY(box->parentWidget() == &dialog);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        box->button(QMessageBox::Ok)->click();
    };
    answerer.dialog("QMessageBox", standardWarning);
    QVERIFY(!SearchForm::findAll(&dialog, ConditionBuilder::matchAll(), pageSize, carrier));
    ANSWERED(answerer);
    QCOMPARE(carrier.getConditionStr(), QString());

    answerer.dialog("QMessageBox", standardWarning);
    SearchForm::pageSizeLeft(&dialog, pageSize);
    ANSWERED(answerer);

    pageSize->setText(QStringLiteral("25"));
    SearchForm::pageSizeLeft(&dialog, pageSize); // filled: no box
    QVERIFY(SearchForm::findAll(&dialog, ConditionBuilder::matchAll(), pageSize, carrier));
    QCOMPARE(carrier.getPageSize(), 25);
    QCOMPARE(carrier.getConditionStr(), QStringLiteral(" and 1=1 "));
    ANSWERED(answerer);
}

void TestKitSearchForm::quickSearchSendsItsFieldAlone()
{
    QWidget form;
    auto *tick = ticked(&form, false);
    auto *text = edit(&form);
    auto *pageSize = edit(&form);
    SearchForm::setUpPageSize(pageSize);
    DomainUi carrier;
    ModalAnswerer answerer;

    answerer.box("查询异常提示", "请填写查询内容", "知道了");
    QVERIFY(!SearchForm::quickSearch(tick, "content", text, pageSize, carrier));
    ANSWERED(answerer);
    // The variant with the standard OK beside "知道了".
    answerer.dialog("QMessageBox", [](QWidget *w) {
        auto *box = static_cast<QMessageBox *>(w);
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->windowTitle(), QStringLiteral("查询异常提示"));
        QCOMPARE(buttonTexts(box), (QStringList{"OK", "知道了"}));
        ModalAnswerer::clickButton(box, QStringLiteral("OK"));
    });
    QVERIFY(!SearchForm::quickSearch(tick, "title", text, pageSize, carrier, QMessageBox::Ok));
    ANSWERED(answerer);
    QVERIFY(!tick->isChecked());

    // An empty page size hands over 0: the window keeps its own.
    QTest::keyClicks(text, QStringLiteral("o'k"));
    QVERIFY(SearchForm::quickSearch(tick, "title", text, pageSize, carrier));
    QVERIFY(tick->isChecked());
    QCOMPARE(carrier.getPageSize(), 0);
    QCOMPARE(carrier.getConditionStr(), QStringLiteral(" and title like '%o''k%'"));
    pageSize->setText(QStringLiteral("8"));
    QVERIFY(SearchForm::quickSearch(tick, "title", text, pageSize, carrier));
    QCOMPARE(carrier.getPageSize(), 8);
}

void TestKitSearchForm::clearAndOwnerRow()
{
    QWidget form;
    auto *box = ticked(&form);
    auto *text = edit(&form, QStringLiteral("x"));
    auto *op = combo(&form, {">", "<", "介于"}, QStringLiteral("介于"));
    auto *date = dateEdit(&form, QDate(2020, 1, 1));
    auto *kept = dateEdit(&form, QDate(2020, 1, 1));
    SearchForm::clear({box}, {text}, {op}, {date});
    QVERIFY(!box->isChecked());
    QVERIFY(text->text().isEmpty());
    QCOMPARE(op->currentText(), QStringLiteral(">"));
    QCOMPARE(date->date(), QDate::currentDate());
    QCOMPARE(kept->date(), QDate(2020, 1, 1));

    auto *row = new QHBoxLayout(&form);
    auto *owner = ticked(nullptr, false);
    auto *label = new QLabel(QStringLiteral("登录用户查找"));
    auto *name = new QLineEdit;
    row->addWidget(owner);
    row->addWidget(label);
    row->addWidget(name);
    form.show();
    SearchForm::hideOwnerRow(5, row);
    QVERIFY(owner->isVisible() && label->isVisible() && name->isVisible());
    SearchForm::hideOwnerRow(4, row);
    QVERIFY(!owner->isVisible() && !label->isVisible() && !name->isVisible());

    SearchForm::startToday({kept}, true);
    QCOMPARE(kept->date(), QDate::currentDate());
    QVERIFY(kept->calendarPopup());
}

// The odd forms (blanks, presence tests, number subjects, doubled quotes)
// are understood by the real server and pick the rows they name.
void TestKitSearchForm::fragmentsSelectTheirRowsOnTheServer_data()
{
    QTest::addColumn<QString>("entity");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QStringList>("found"); // the rows' title (message: comment)
    using C = ConditionBuilder;
    using A = ConditionBuilder::Absent;
    const QString days = QStringLiteral("remindDate IS NOT NULL and remindDateNumber");
    const QString note = QStringLiteral("note");
    QTest::newRow("notes: all") << note << C::matchAll() << QStringList{"b", "o'a"};
    QTest::newRow("notes: isShow 全部") << note << C::notNull("isShow") + C::like("title", "o'", true)
                                        << QStringList{"o'a"};
    QTest::newRow("notes: isShow then image") << note << C::like("isShow", "展示") + C::presence("image", true)
                                              << QStringList{"o'a"};
    QTest::newRow("notes: no image") << note << C::presence("image", false) << QStringList{"b"};
    QTest::newRow("notes: no remind method") << note << C::presence("remindMethod", false, A::WideIs)
                                             << QStringList{"o'a"};
    QTest::newRow("notes: remind method") << note << C::presence("remindMethod", true) << QStringList{"b"};
    QTest::newRow("notes: no frequency") << note << C::presence("remindFrequency", false, A::TightEquals)
                                         << QStringList{"o'a"};
    QTest::newRow("notes: grade range") << note << C::number("grade", "介于", "1", "4", true) << QStringList{"o'a"};
    QTest::newRow("notes: days") << note << C::number(days, ">=", "+1", "", true) + C::notNull("isRemind")
                                 << QStringList{"o'a"};
    QTest::newRow("notes: dates") << note << C::date("registerDate", ">=", "2024-01-02", "", true)
                                         + C::date("remindDate", "介于", "2024-05-01", "2024-05-31", true)
                                  << QStringList{"o'a"};
    QTest::newRow("plans: status and score") << "workPlan"
                                             << C::number("completionStatus", "介于", "50", "70", true)
                                                    + C::number("score", "<", "4", "", true) + C::like("tag", "x")
                                             << QStringList{"p"};
    QTest::newRow("plans: status") << "workPlan" << C::number("completionStatus", ">", "66.", "", true)
                                   << QStringList{"p"};
    QTest::newRow("plans: status below") << "workPlan" << C::number("completionStatus", "<=", "66.5", "", true)
                                         << QStringList{};
    QTest::newRow("reminders: days") << "remind" << C::number("remindDateNumber", "=", "-2", "")
                                     << QStringList{"r"};
    QTest::newRow("messages: flag and grade") << "message"
                                              << C::number("flag", "介于", "1", "2.5", true)
                                                     + C::number("grade", "!=", "2", "", true)
                                              << QStringList{"m1"};
}

void TestKitSearchForm::fragmentsSelectTheirRowsOnTheServer()
{
    QFETCH(QString, entity);
    QFETCH(QString, condition);
    QFETCH(QStringList, found);
    ServerProcess server;
    QVERIFY(server.start());
    const QJsonObject seeds[][2] = {
        {{{"entity", "note"}},
         {{"title", "o'a"}, {"isShow", "展示"}, {"image", "a.png"}, {"grade", 3}, {"remindMethod", ""},
          {"remindFrequency", ""}, {"isRemind", "开启"}, {"remindDate", "2024-05-03"}, {"remindDateNumber", 3},
          {"registerDate", "2024-01-02 10:00:00"}}},
        {{{"entity", "note"}},
         {{"title", "b"}, {"isShow", "关闭"}, {"image", ""}, {"grade", 5}, {"remindMethod", "邮件"},
          {"remindFrequency", "每日邮件提醒"}, {"remindDateNumber", 0}, {"registerDate", "2023-12-31 10:00:00"}}},
        {{{"entity", "workPlan"}}, {{"title", "p"}, {"completionStatus", 66.67}, {"score", 3}, {"tag", "x"}}},
        {{{"entity", "remind"}}, {{"title", "r"}, {"remindDateNumber", -2}}},
        {{{"entity", "message"}}, {{"comment", "m1"}, {"flag", 1.5}, {"grade", 1}}},
        {{{"entity", "message"}}, {{"comment", "m2"}, {"flag", 2.5}, {"grade", 2}}},
    };
    for (const auto &seed : seeds)
        QCOMPARE(ServerProcess::add(seed[0]["entity"].toString(), seed[1])["flag"].toInt(), 1);

    const QJsonObject reply = ServerProcess::call(
        entity, "findByCondition", {{"curPage", 1}, {"pageSize", 0}, {"order", "desc"}, {"conditionStr", condition}});
    QVERIFY2(reply.contains("dList"), qPrintable(reply["temporary"].toString()));
    QStringList names;
    for (const QJsonValue row : reply["dList"].toArray())
        names << row[entity == "message" ? "comment" : "title"].toString();
    names.sort();
    QCOMPARE(names, found);
}

QTEST_MAIN(TestKitSearchForm)
#include "tst_kit_searchform.moc"
