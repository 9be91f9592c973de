// The account book opened from the dashboard after a real log-in, against the
// real server with its demo data.
#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "logindialog.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "summarywindow.h"

class TestAccountsDashboard : public QObject
{
    Q_OBJECT

private slots:
    void openedFromTheDashboard_data();
    void openedFromTheDashboard();
};

void TestAccountsDashboard::openedFromTheDashboard_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("administrator");
    QTest::newRow("user") << "demo" << "demo123" << false;
    QTest::newRow("administrator") << "admin" << "admin123" << true;
}

void TestAccountsDashboard::openedFromTheDashboard()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(bool, administrator);
    ServerProcess server(true);
    QVERIFY(server.start());

    SummaryWindow dashboard;
    LoginDialog login;
    QObject::connect(&login, SIGNAL(sendUser(DomainUser&)), &dashboard, SLOT(receiveUser(DomainUser&)));
    login.show();
    ModalAnswerer answerer;
    answerer.box("提示信息", "欢迎使用演示数据", "知道了");
    QTest::keyClicks(login.findChild<QLineEdit *>("userLineEdit"), name);
    QTest::keyClicks(login.findChild<QLineEdit *>("pwdLineEdit"), password);
    QTest::mouseClick(login.findChild<QPushButton *>("loginPushButton"), Qt::LeftButton);
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QCOMPARE(login.result(), int(QDialog::Accepted));
    dashboard.show();

    QTest::mouseClick(dashboard.findChild<QPushButton *>("pushButton_account"), Qt::LeftButton);
    MainWindow *book = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *m = qobject_cast<MainWindow *>(w); m && m->isVisible())
            book = m;
    }
    QVERIFY(book);
    QCOMPARE(book->windowTitle(), QStringLiteral("账号管理"));
    auto *table = book->findChild<QTableWidget *>("tableWidget");
    const QJsonArray expected =
        ServerProcess::rows("accountInfo", administrator ? QString() : " and loginName ='" + name + "'");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(table->rowCount(), qMin(int(expected.size()), 30));
    QCOMPARE(table->item(0, 12)->text().toInt(), expected.at(0)["id"].toInt());
    QCOMPARE(table->isColumnHidden(10), !administrator);
}

QTEST_MAIN(TestAccountsDashboard)
#include "tst_accounts_dashboard.moc"
