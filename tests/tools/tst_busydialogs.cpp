#include "loadingdialog.h"
#include "waitdialog.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestBusyDialogs : public QObject
{
    Q_OBJECT

private slots:
    void waitDialogLook();
    void progressStyle();
    void moveToCentre();
    void cancelEmitsAndStaysOpen();
    void loadingDialogForm();
};

void TestBusyDialogs::waitDialogLook()
{
    WaitDialog dialog;
    QCOMPARE(dialog.size(), QSize(250, 260));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(dialog.windowType(), Qt::Tool);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(dialog.graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->color(), QColor(32, 101, 165));

    auto *movieLabel = dialog.findChild<QLabel *>("labelMovie");
    QVERIFY(movieLabel && movieLabel->movie());
    QVERIFY(movieLabel->movie()->isValid());
    QCOMPARE(movieLabel->movie()->state(), QMovie::Running);
    QVERIFY(movieLabel->hasScaledContents());

    dialog.set_text("正在处理");
    QCOMPARE(dialog.findChild<QLabel *>("labelText")->text(), QString("正在处理"));
    auto *button = dialog.findChild<QPushButton *>("btnCancel");
    QCOMPARE(button->text(), QString("取消等待"));
    dialog.set_btn_cancel(false);
    QVERIFY(!button->isEnabled());
    dialog.set_btn_cancel(true);
    QVERIFY(button->isEnabled());

    // Painted as a white card on a transparent ground.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage shot = dialog.grab().toImage();
    QCOMPARE(qAlpha(shot.pixel(1, 1)), 0);
    QCOMPARE(QColor(shot.pixel(12, 130)), QColor(Qt::white));
}

void TestBusyDialogs::progressStyle()
{
    WaitDialog dialog;
    auto *text = dialog.findChild<QLabel *>("labelText");
    auto stops = [text] {
        const QString s = text->styleSheet();
        const int a = s.indexOf("stop:", s.indexOf("stop:0 ") + 1);
        const int b = s.indexOf("stop:", a + 1);
        return s.mid(a + 5, s.indexOf(' ', a) - a - 5) + "|" + s.mid(b + 5, s.indexOf(' ', b) - b - 5);
    };
    dialog.set_progress(0);
    QCOMPARE(stops(), QString("0|4e-06"));
    QVERIFY(text->styleSheet().startsWith("background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:1, y2:0, "
                                          "stop:0 rgba(0, 168,243, 100), stop:0 rgba(0, 168, 243, 100),stop:4e-06 "));
    dialog.set_progress(50);
    QCOMPARE(stops(), QString("0.5|0.500004"));
    dialog.set_progress(100);
    QCOMPARE(stops(), QString("0.999|0.999004"));
    dialog.set_progress(255);
    QCOMPARE(stops(), QString("0.999|0.999004"));

    // The style sheet parses: half the line is blue, the right end white.
    dialog.set_progress(50);
    text->resize(200, 40);
    const QImage shot = text->grab().toImage();
    const QColor left(shot.pixel(20, 20)), right(shot.pixel(180, 20));
    QVERIFY2(left.blue() > left.red() + 40, qPrintable(left.name()));
    QCOMPARE(right, QColor(Qt::white));
}

void TestBusyDialogs::moveToCentre()
{
    WaitDialog dialog;
    dialog.move(7, 9);
    dialog.move_to_center(nullptr);
    QCOMPARE(dialog.pos(), QPoint(7, 9));

    QWidget host;
    host.setGeometry(100, 50, 401, 301);
    dialog.move_to_center(&host);
    // (401 - 250) / 2 = 75, (301 - 260) / 2 = 20
    QCOMPARE(dialog.pos(), QPoint(host.x() + 75, host.y() + 20));

    host.setGeometry(300, 300, 101, 100); // narrower than the dialog: -74 (towards zero), -80
    dialog.move_to_center(&host);
    QCOMPARE(dialog.pos(), QPoint(host.x() - 74, host.y() - 80));
}

void TestBusyDialogs::cancelEmitsAndStaysOpen()
{
    WaitDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy spy(&dialog, &WaitDialog::cancel_waiting_signal);
    auto *button = dialog.findChild<QPushButton *>("btnCancel");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QVERIFY(dialog.isVisible());
}

void TestBusyDialogs::loadingDialogForm()
{
    LoadingDialog dialog;
    QCOMPARE(dialog.objectName(), QString("LoadingDialog"));
    QCOMPARE(dialog.size(), QSize(250, 260));
    QCOMPARE(dialog.windowTitle(), QString("Dialog"));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.windowType(), Qt::Window); // no dialog type bits: a plain window
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(qobject_cast<QGraphicsDropShadowEffect *>(dialog.graphicsEffect()));
    QVERIFY(dialog.findChild<QLabel *>("label_movie"));
    auto *button = dialog.findChild<QPushButton *>("pushButton_cancel");
    QCOMPARE(button->text(), QString("加载中............."));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // The button's orange comes from the form's style sheet.
    const QColor face(button->grab().toImage().pixel(button->width() / 2, 3));
    QVERIFY2(face.red() > face.blue() + 60, qPrintable(face.name()));

    dialog.setBtnText("稍候");
    QCOMPARE(button->text(), QString("稍候"));
    dialog.setBtnEnable(false);
    QVERIFY(!button->isEnabled());
    dialog.setBtnEnable(true);
    dialog.setBtnShow(false);
    QVERIFY(!button->isVisible());
    dialog.setBtnShow(true);
    QVERIFY(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(button->text(), QString("稍候"));
}

QTEST_MAIN(TestBusyDialogs)
#include "tst_busydialogs.moc"
