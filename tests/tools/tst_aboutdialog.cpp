#include "aboutdialog.h"
#include "httpstub.h"

#include <QJsonArray>
#include <QTextBrowser>
#include <QTextDocument>
#include <QGridLayout>
#include <QtTest>

Q_DECLARE_METATYPE(StubResponse)

// The about box against a scripted server: the request on the wire and what it shows.
class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(stub.listen(8091)); }
    void init() { stub.requests.clear(); }
    void requestOnTheWire();
    void textsJoinedInOrder();
    void emptyListSaysNoInformation();
    void htmlIsRendered();
    void failureLeavesPlaceholder_data();
    void failureLeavesPlaceholder();
    void serverDown();

private:
    static QTextBrowser *browser(AboutDialog &d) { return d.findChild<QTextBrowser *>("textBrowser"); }
    static QJsonObject message(const QJsonValue &text) { return QJsonObject{{"message", text}, {"mold", "about"}}; }
    HttpStub stub;
};

void TestAboutDialog::requestOnTheWire()
{
    stub.enqueue(StubResponse::list({message("A")}, 1));
    AboutDialog dialog;
    QCOMPARE(stub.requests.size(), 1);
    const StubRequest &r = stub.requests.first();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.path, QByteArray("/android/message/findByCondition"));
    QCOMPARE(QString::fromUtf8(r.body),
             QString("{\"conditionStr\":\" and appOS='windows' and mold = 'about' and showSwitchStr = '展示'\","
                     "\"curPage\":1,\"order\":\"DESC\",\"pageSize\":30}"));

    QCOMPARE(dialog.objectName(), QString("AboutDialog"));
    QCOMPARE(dialog.windowTitle(), QString("关于"));
    QCOMPARE(dialog.size(), QSize(800, 600));
    QVERIFY(!dialog.windowIcon().isNull());
    QVERIFY(dialog.findChild<QGridLayout *>("gridLayout"));
    QCOMPARE(browser(dialog)->placeholderText(), QString("稍等，信息加载中！"));
}

void TestAboutDialog::textsJoinedInOrder()
{
    // No separator; an element without a text under "message" adds nothing.
    stub.enqueue(StubResponse::list({message("A"), QJsonObject{{"mold", "about"}}, message(7), message("B")}, 4));
    AboutDialog dialog;
    QCOMPARE(browser(dialog)->toPlainText(), QString("AB"));
}

void TestAboutDialog::emptyListSaysNoInformation()
{
    stub.enqueue(StubResponse::list({}, 0));
    AboutDialog dialog;
    QCOMPARE(browser(dialog)->toPlainText(), QString("没有信息"));
}

void TestAboutDialog::htmlIsRendered()
{
    stub.enqueue(StubResponse::list(
        {message("<p>岚舟 <b>1.0</b></p>"), message("<p><a href=\"http://example.com/\">主页</a></p>")}, 2));
    AboutDialog dialog;
    QTextBrowser *b = browser(dialog);
    QCOMPARE(b->toPlainText(), QString("岚舟 1.0\n主页"));
    QVERIFY(b->toHtml().contains("href=\"http://example.com/\""));

    stub.enqueue(StubResponse::list({message("1 < 2 & plain")}, 1));
    AboutDialog plain;
    QCOMPARE(browser(plain)->toPlainText(), QString("1 < 2 & plain"));
}

void TestAboutDialog::failureLeavesPlaceholder_data()
{
    QTest::addColumn<StubResponse>("response");
    QTest::newRow("status 500") << StubResponse::raw(500, "oops");
    QTest::newRow("refusal") << StubResponse::envelope(0, "无权限");
    QTest::newRow("html page") << StubResponse::raw(200, "<html>hi</html>");
    QTest::newRow("dList not an array") << StubResponse::envelope(1, "ok", QJsonObject{{"dList", "x"}});
    StubResponse dropped;
    dropped.drop = true;
    QTest::newRow("dropped") << dropped;
}

void TestAboutDialog::failureLeavesPlaceholder()
{
    QFETCH(StubResponse, response);
    stub.enqueue(response);
    AboutDialog dialog;
    QVERIFY(!stub.requests.isEmpty()); // the network layer may resend once after a drop
    QTextBrowser *b = browser(dialog);
    QVERIFY(b->document()->isEmpty());
    QCOMPARE(b->placeholderText(), QString("稍等，信息加载中！"));
}

void TestAboutDialog::serverDown()
{
    stub.close();
    AboutDialog dialog;
    QVERIFY(browser(dialog)->document()->isEmpty());
    QVERIFY(stub.listen(8091));
}

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
