// The notes window as the dashboard drives it, against a scripted server.
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include "conditionbuilder.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "notewindow.h"

class TestNoteWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void quotesAreDoubled();
    void presetQueryCarriesOwnerConditionFirst();
    void openingAsksAboutDueNotes_data();
    void openingAsksAboutDueNotes();
    void administratorIsNotAsked();
    void loadsNeitherTwiceNorWithAStaleCondition();

private:
    static QJsonArray notes(int count);
    HttpStub stub;
};

QJsonArray TestNoteWindow::notes(int count)
{
    QJsonArray rows;
    for (int i = 1; i <= count; ++i)
        rows.append(QJsonObject{{"id", i}, {"title", QStringLiteral("笔记%1").arg(i)}, {"mold", "工作"}});
    return rows;
}

void TestNoteWindow::quotesAreDoubled()
{
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("o'neil")), QStringLiteral("o''neil"));
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("''")), QStringLiteral("''''"));
    QCOMPARE(ConditionBuilder::quoted(QStringLiteral("平常")), QStringLiteral("平常"));
}

void TestNoteWindow::presetQueryCarriesOwnerConditionFirst()
{
    NoteWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("o'neil"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("笔记管理"));
    QVERIFY(stub.requests.isEmpty());

    stub.enqueue(StubResponse::list(notes(31), 31));
    DomainUi preset;
    preset.setCurPage(1);
    preset.setConditionStr(QStringLiteral(" and isRemind = '开启'"));
    window.receiveDomainUi(preset);

    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].path, QByteArray("/android/note/findByCondition"));
    const QJsonObject sent = stub.requests[0].json();
    QCOMPARE(sent.value("conditionStr").toString(), QStringLiteral(" and loginName ='o''neil' and isRemind = '开启'"));
    QCOMPARE(sent.value("pageSize").toInt(), 30);
    QCOMPARE(sent.value("curPage").toInt(), 1);
    QCOMPARE(sent.value("order").toString(), QStringLiteral("desc"));

    auto *table = window.findChild<QTableWidget *>("tableWidget");
    QCOMPARE(table->rowCount(), 31);
    QVERIFY(table->isColumnHidden(16)); // owner column below grade 5
    auto *combo = window.findChild<QComboBox *>("comboBox_pageNumber");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(1), QStringLiteral("第2页/共2页"));
}

void TestNoteWindow::openingAsksAboutDueNotes_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("rowsShown");
    QTest::newRow("查看") << QStringLiteral("查看") << 3;
    QTest::newRow("不查看") << QStringLiteral("不查看") << 5;
}

void TestNoteWindow::openingAsksAboutDueNotes()
{
    QFETCH(QString, answer);
    QFETCH(int, rowsShown);
    NoteWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("u"));
    user.setGrade(1);
    window.receiveUser(user, 1);
    // A search that chose its own page size.
    stub.enqueue(StubResponse::list(notes(1), 1));
    DomainUi search;
    search.setPageSize(5);
    window.receiveDomainUi(search);
    stub.requests.clear();

    stub.enqueue(StubResponse::list(notes(5), 5));
    stub.enqueue(StubResponse::list(notes(3), 3));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("条笔记需要处理"), answer);
    window.receiveSignal();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.seen().join('\n').contains(QStringLiteral("<span style='color:red'>3</span>")));

    QCOMPARE(stub.requests.size(), 2);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and isShow ='展示'"));
    QCOMPARE(stub.requests[1].path, QByteArray("/android/note/findByRemindDay"));
    const QJsonObject due = stub.requests[1].json();
    QCOMPARE(due.value("conditionStr").toString(),
             QStringLiteral(" and loginName ='u' and isShow ='展示' and isRemind = '开启'"));
    QCOMPARE(due.value("pageSize").toInt(), 0);
    QCOMPARE(due.value("curPage").toInt(), 1);
    QCOMPARE(window.findChild<QTableWidget *>("tableWidget")->rowCount(), rowsShown);

    // Afterwards the window pages with the page size it had before the question.
    stub.enqueue(StubResponse::list(notes(1), 1));
    DomainUi preset;
    window.receiveDomainUi(preset);
    QCOMPARE(stub.requests.last().json().value("pageSize").toInt(), 5);
}

void TestNoteWindow::administratorIsNotAsked()
{
    NoteWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("admin"));
    user.setGrade(5);
    window.receiveUser(user, 1);
    stub.enqueue(StubResponse::list(notes(2), 2));
    window.receiveSignal();
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].json().value("conditionStr").toString(), QStringLiteral(" and isShow ='展示'"));
    QVERIFY(!window.findChild<QTableWidget *>("tableWidget")->isColumnHidden(16));
    auto *status = window.findChild<QStatusBar *>("statusbar")->findChild<QLabel *>();
    QCOMPARE(status->text(), QStringLiteral("当前总笔记数量为 2 条，已全部显示在页面中；    "));
}

void TestNoteWindow::loadsNeitherTwiceNorWithAStaleCondition()
{
    NoteWindow window;
    DomainUser user;
    user.setUsername(QStringLiteral("admin"));
    user.setGrade(5);
    window.receiveUser(user, 1);
    auto *table = window.findChild<QTableWidget *>("tableWidget");
    table->sortByColumn(3, Qt::DescendingOrder);
    int answered = 0;
    stub.setHandler([&](const StubRequest &) {
        // A second query and a page step while the first request waits.
        DomainUi again;
        again.setConditionStr(QStringLiteral(" and mold ='x'"));
        if (answered++ == 0) {
            window.receiveDomainUi(again);
            window.findChild<QComboBox *>("comboBox_pageNumber")->setCurrentIndex(0);
        }
        return StubResponse::list(notes(12), 40);
    });
    DomainUi preset;
    preset.setConditionStr(QStringLiteral(" and mold ='工作'"));
    window.receiveDomainUi(preset);
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(table->rowCount(), 12);
    for (int row = 0; row < table->rowCount(); ++row) // rows sorted, each whole
        QCOMPARE(table->item(row, 3)->text(), QStringLiteral("笔记%1").arg(table->item(row, 18)->text()));

    // An empty condition sends none (not the previous one).
    DomainUi all;
    window.receiveDomainUi(all);
    QCOMPARE(stub.requests.size(), 2);
    QVERIFY(!stub.requests[1].json().contains("conditionStr"));
    stub.setHandler(nullptr);
}

QTEST_MAIN(TestNoteWindow)
#include "tst_notewindow.moc"
