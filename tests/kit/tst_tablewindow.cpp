// What every table window does with its pages, through a real window (the
// account book) against a scripted server: presses during a wait, page sizes,
// failed and empty loads, the step back from an emptied page and the backup
// of all pages.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "domainui.h"
#include "domainuser.h"
#include "httpstub.h"
#include "mainwindow.h"
#include "modalanswerer.h"

namespace {

QJsonArray accounts(int from, int count)
{
    QJsonArray rows;
    for (int i = from; i < from + count; ++i)
        rows.append(QJsonObject{{"id", i}, {"accountName", QStringLiteral("site%1").arg(i)}, {"loginName", "u"}});
    return rows;
}

// Answers list requests as a server holding `total` accounts would.
StubResponse page(const StubRequest &request, int total)
{
    const QJsonObject body = request.json();
    const int size = body.value("pageSize").toInt();
    const int first = (body.value("curPage").toInt() - 1) * size;
    return StubResponse::list(accounts(first + 1, qBound(0, total - first, size)), total);
}

} // namespace

class TestTableWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init();
    void cleanup();
    void pressesDuringAWaitStartNothingAndTheLastQueryRunsAfter();
    void pageSizesBelowOneAreRefused();
    void failedListShowsTheReasonAndNoCounts();
    void emptyListIsALoadOfNoRows();
    void emptiedLastPageStepsBack();
    void backupOfAllPagesKeepsThePageSizeAndAFailedLoadDropsIt();

private:
    void open(int pageSize = 0, int curPage = 1);
    QJsonObject lastRequest() const { return stub.requests.last().json(); }
    QString status() const { return window->statusBar()->findChild<QLabel *>()->text(); }
    template<class T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    HttpStub stub;
    DomainUser user;
    std::unique_ptr<MainWindow> window;
};

void TestTableWindow::init()
{
    stub.requests.clear();
    stub.setHandler([](const StubRequest &request) { return page(request, 61); });
    user.setUsername(QStringLiteral("u"));
    user.setGrade(5);
    window = std::make_unique<MainWindow>();
    window->receiveUsername(user);
    window->show();
}

void TestTableWindow::cleanup()
{
    window.reset();
}

void TestTableWindow::open(int pageSize, int curPage)
{
    DomainUi query;
    query.setPageSize(pageSize);
    query.setCurPage(curPage);
    window->receiveDomainUi(query);
}

void TestTableWindow::pressesDuringAWaitStartNothingAndTheLastQueryRunsAfter()
{
    open();
    QCOMPARE(stub.requests.size(), 1);
    auto *next = child<QPushButton>("pushButton_nextPage");
    auto *previous = child<QPushButton>("pushButtonl_previousPage");
    QVERIFY(next->isEnabled());

    // While page 2 is asked for, the user presses everything in reach: nothing
    // of it starts a request or a dialog. The dashboard sends two queries
    // meanwhile: the last runs once page 2 is in, and the window ends on it.
    ModalAnswerer nothingModal;
    int seenDuringWait = -1;
    stub.setHandler([&](const StubRequest &request) {
        if (seenDuringWait < 0) {
            seenDuringWait = 0;
            QTest::mouseClick(next, Qt::LeftButton);
            QTest::mouseClick(previous, Qt::LeftButton);
            QTest::keyClick(window->findChild<QTableWidget *>(), Qt::Key_N, Qt::ControlModifier);
            QTest::keyClick(window->findChild<QTableWidget *>(), Qt::Key_F, Qt::ControlModifier);
            open(7, 3);
            open(5, 2);
            window->findAll();
            seenDuringWait = stub.requests.size();
        }
        return page(request, 61);
    });
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(seenDuringWait, 2);
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests[1].json().value("curPage").toInt(), 2);
    QCOMPARE(stub.requests[1].json().value("pageSize").toInt(), 30);
    QCOMPARE(lastRequest().value("curPage").toInt(), 2);
    QCOMPARE(lastRequest().value("pageSize").toInt(), 5);
    QCOMPARE(child<QLabel>("label_pageMessage")->text(), QStringLiteral("第2页/共13页 |  共61个账户"));
    QCOMPARE(window->findChild<QTableWidget *>()->item(0, 12)->text(), QStringLiteral("6"));
    QTest::qWait(50);
    QVERIFY2(nothingModal.problems().isEmpty(), qPrintable(nothingModal.problems().join('\n')));

    // Once the reply is in, presses count again.
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(stub.requests.size(), 4);
    QCOMPARE(lastRequest().value("curPage").toInt(), 3);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 5);
}

void TestTableWindow::pageSizesBelowOneAreRefused()
{
    open(-5);
    QCOMPARE(lastRequest().value("pageSize").toInt(), 30);
    open(7);
    QCOMPARE(lastRequest().value("pageSize").toInt(), 7);
    // 0 keeps the window's page size (the dashboard's queries carry 0).
    open(0);
    QCOMPARE(lastRequest().value("pageSize").toInt(), 7);
    open(-1, -3);
    QCOMPARE(lastRequest().value("pageSize").toInt(), 7);
    QCOMPARE(lastRequest().value("curPage").toInt(), 1);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 7);
}

void TestTableWindow::failedListShowsTheReasonAndNoCounts()
{
    open();
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 30);
    QCOMPARE(child<QComboBox>("comboBox_pageNumber")->count(), 3);

    stub.setHandler([](const StubRequest &) { return StubResponse::envelope(0, QStringLiteral("条件无法识别")); });
    open();
    QCOMPARE(status(), QStringLiteral("条件无法识别"));
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 0);
    QCOMPARE(child<QComboBox>("comboBox_pageNumber")->count(), 1);
    QVERIFY(!child<QPushButton>("pushButton_nextPage")->isVisible());
    QCOMPARE(child<QLabel>("label_pageMessage")->text(), QStringLiteral("第1页/共1页 | 每页0个账户 | 共0个账户"));

    stub.setHandler([](const StubRequest &) { return StubResponse::raw(500, "broken"); });
    open();
    QCOMPARE(status(), QStringLiteral("没有网络连接或是数据请求错误，请优先检查是否连接网络!"));

    // A backup has nothing to write after a failed load.
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("没有找到导出的数据"), QStringLiteral("知道了"));
    window->findChild<QAction *>("copyAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
}

void TestTableWindow::emptyListIsALoadOfNoRows()
{
    open();
    stub.setHandler([](const StubRequest &) { return StubResponse::list(QJsonArray(), 0); });
    open();
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 0);
    QCOMPARE(status(), QStringLiteral("当前总账户数量为 0 个，已全部显示在页面中；    "));
    QCOMPARE(child<QComboBox>("comboBox_pageNumber")->itemText(0), QStringLiteral("第1页/共1页"));
}

void TestTableWindow::emptiedLastPageStepsBack()
{
    open(0, 3);
    QCOMPARE(lastRequest().value("curPage").toInt(), 3);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 1);
    // The last row of page 3 is gone: the reload of page 3 is empty and the
    // window shows page 2, the last one, instead.
    stub.setHandler([](const StubRequest &request) { return page(request, 60); });
    window->findAll();
    QCOMPARE(stub.requests.size(), 3);
    QCOMPARE(stub.requests.at(1).json().value("curPage").toInt(), 3);
    QCOMPARE(lastRequest().value("curPage").toInt(), 2);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 30);
    QCOMPARE(child<QComboBox>("comboBox_pageNumber")->currentText(), QStringLiteral("第2页/共2页"));
}

void TestTableWindow::backupOfAllPagesKeepsThePageSizeAndAFailedLoadDropsIt()
{
    open(0, 2);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("all.xlsx"));
    ModalAnswerer answerer;
    answerer.box(QString(), QStringLiteral("总账户数量大于当前显示的账户数"), QStringLiteral("全部导出"));
    answerer.dialog("QFileDialog", [path](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("备份成功"), QStringLiteral("知道了"));
    window->findChild<QAction *>("copyAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY(QFile::exists(path));
    QCOMPARE(lastRequest().value("pageSize").toInt(), 61);
    QCOMPARE(lastRequest().value("curPage").toInt(), 1);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 61);

    // The rows stay on show; the next loads page by the page size of before.
    open();
    QCOMPARE(lastRequest().value("pageSize").toInt(), 30);
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 30);

    // When the load of every page fails, the backup is dropped: the status
    // line tells why, no file is asked for, and the next load writes nothing.
    answerer.box(QString(), QStringLiteral("总账户数量大于当前显示的账户数"), QStringLiteral("全部导出"));
    stub.enqueue(StubResponse::envelope(0, QStringLiteral("查询失败")));
    window->findChild<QAction *>("copyAction")->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(status(), QStringLiteral("查询失败"));
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 0);
    open();
    QCOMPARE(window->findChild<QTableWidget *>()->rowCount(), 30);
    QTest::qWait(50);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
}

QTEST_MAIN(TestTableWindow)
#include "tst_tablewindow.moc"
