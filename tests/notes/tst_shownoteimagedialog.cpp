// The image viewer: fetched pictures fitted to and centred on the window's
// screen, only the latest request shown, failures reported, nothing left over
// from earlier requests; dragged by any button and closed from its menu.
// Runs on two offscreen screens side by side (1920x1080, then 1280x1024).
#include <QtTest>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QNetworkReply>
#include <QScreen>

#include <memory>

#include "domainnote.h"
#include "dworkplan.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "shownoteimagedialog.h"

namespace {

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

StubResponse picture(int width, int height, int delayMs = 0)
{
    StubResponse r = StubResponse::raw(200, png(width, height), "image/png");
    r.delayMs = delayMs;
    return r;
}

QLabel *labelOf(ShowNoteImageDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("label"));
}

// A request asked for and its answer shown: the label gives way to the picture.
bool pictureShown(ShowNoteImageDialog &dialog)
{
    return !labelOf(dialog)->isVisible() && !labelOf(dialog)->pixmap().isNull();
}

void askNote(ShowNoteImageDialog &dialog, const QString &title, const QString &image)
{
    DomainNote note;
    note.setTitle(title);
    note.setImage(image);
    dialog.receiveNote(note);
    dialog.show();
}

} // namespace

class TestShowNoteImageDialog : public QObject
{
    Q_OBJECT

private slots:
    void fitsAndCentres_data();
    void fitsAndCentres();
    void showsNotePictureAtFittedSize();
    void bigPlanPictureFitsTheScreenItStandsOn();
    void onlyTheLatestRequestIsShown();
    void failuresShowTheErrorBox();
    void demoPicturesFromTheServer();
    void dragsByAnyButtonAndClosesFromItsMenu();
};

void TestShowNoteImageDialog::fitsAndCentres_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("expected");
    const QRect full(0, 0, 1920, 1080);
    QTest::newRow("fits") << QSize(300, 200) << full << QRect(810, 440, 300, 200);
    QTest::newRow("exactly the screen") << QSize(1920, 1080) << full << full;
    QTest::newRow("wide") << QSize(4000, 1000) << full << QRect(0, 300, 1920, 480);
    QTest::newRow("upright") << QSize(1000, 3000) << full << QRect(780, 0, 360, 1080);
    QTest::newRow("square too big") << QSize(2000, 2000) << full << QRect(420, 0, 1080, 1080);
    QTest::newRow("too wide only") << QSize(2400, 900) << full << QRect(0, 180, 1920, 720);
    // An upright picture too wide for an upright screen stays within its width.
    QTest::newRow("upright on upright screen") << QSize(1500, 1600) << QRect(0, 0, 1080, 1920)
                                               << QRect(0, 384, 1080, 1152);
    QTest::newRow("second screen") << QSize(300, 200) << QRect(1920, 0, 1280, 1024) << QRect(2410, 412, 300, 200);
    QTest::newRow("screen left of the first") << QSize(3000, 1000) << QRect(-1280, 0, 1280, 1024)
                                              << QRect(-1280, 299, 1280, 426);
}

void TestShowNoteImageDialog::fitsAndCentres()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, screen);
    QFETCH(QRect, expected);
    QCOMPARE(ShowNoteImageDialog::placeOnScreen(picture, screen), expected);
}

void TestShowNoteImageDialog::showsNotePictureAtFittedSize()
{
    HttpStub stub;
    QVERIFY(stub.listen());
    stub.setHandler([](const StubRequest &) { return picture(300, 200); });
    ShowNoteImageDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
    QCOMPARE(labelOf(dialog)->text(), QStringLiteral("加载中........"));

    askNote(dialog, QStringLiteral("海边日出"), QStringLiteral("海边 日出_1.png"));
    // Loading: the animation in the label, the window 200 x 200 under the note's title.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("海边日出"));
    QVERIFY(labelOf(dialog)->isVisible());
    QVERIFY(labelOf(dialog)->movie());
    QCOMPARE(labelOf(dialog)->movie()->state(), QMovie::Running);
    QCOMPARE(labelOf(dialog)->movie()->scaledSize(), QSize(200, 200));
    QVERIFY(labelOf(dialog)->movie()->isValid());
    QCOMPARE(dialog.size(), QSize(200, 200));

    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests[0].method, QByteArray("GET"));
    QCOMPARE(stub.requests[0].path, "/account/note/" + QUrl::toPercentEncoding(QStringLiteral("海边 日出_1.png")));
    QCOMPARE(labelOf(dialog)->pixmap().size(), QSize(300, 200));
    QCOMPARE(dialog.size(), QSize(300, 200));
    QCOMPARE(dialog.pos(), QPoint(810, 440));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("海边日出"));
    // The animation no longer shown no longer runs.
    const QList<QMovie *> movies = dialog.findChildren<QMovie *>();
    QCOMPARE(movies.size(), 1);
    QCOMPARE(movies[0]->state(), QMovie::NotRunning);

    // The picture covers the whole window.
    const QImage shot = dialog.grab().toImage();
    QCOMPARE(shot.pixelColor(1, 1), QColor(Qt::darkCyan));
    QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(Qt::darkCyan));
}

void TestShowNoteImageDialog::bigPlanPictureFitsTheScreenItStandsOn()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    HttpStub stub;
    QVERIFY(stub.listen());
    stub.setHandler([](const StubRequest &) { return picture(4000, 1000); });
    ShowNoteImageDialog dialog;
    DWorkPlan plan;
    plan.setTitle(QStringLiteral("年度路线"));
    plan.setImage(QStringLiteral("roadmap_2.png"));

    dialog.receiveWorkPlan(plan);
    dialog.show();
    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(stub.requests.value(0).path, QByteArray("/account/workPlan/roadmap_2.png"));
    QCOMPARE(dialog.size(), QSize(1920, 480));
    QCOMPARE(dialog.pos(), QPoint(0, 300));

    // Moved onto the second screen, the next picture fits and centres there.
    dialog.move(2000, 100);
    QTRY_COMPARE(dialog.screen(), screens[1]);
    dialog.receiveWorkPlan(plan);
    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(dialog.size(), QSize(1280, 320));
    QCOMPARE(dialog.pos(), QPoint(1920, 352));
}

void TestShowNoteImageDialog::onlyTheLatestRequestIsShown()
{
    HttpStub stub;
    QVERIFY(stub.listen());
    // The first picture answers late, after the second.
    stub.setHandler([](const StubRequest &request) {
        return request.path.endsWith("slow.png") ? picture(300, 200, 400) : picture(100, 50);
    });
    ModalAnswerer answerer(5000); // no box is expected
    ShowNoteImageDialog dialog;

    askNote(dialog, QStringLiteral("第一"), QStringLiteral("slow.png"));
    askNote(dialog, QStringLiteral("第二"), QStringLiteral("fast.png"));
    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(dialog.size(), QSize(100, 50));
    QTest::qWait(700);
    QCOMPARE(dialog.size(), QSize(100, 50));
    QCOMPARE(labelOf(dialog)->pixmap().size(), QSize(100, 50));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("第二"));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));

    // Many requests leave no reply and no animation behind.
    for (int i = 0; i < 5; ++i)
        askNote(dialog, QString::number(i), i % 2 ? QStringLiteral("slow.png") : QStringLiteral("fast.png"));
    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("4"));
    QTRY_COMPARE(dialog.findChildren<QNetworkReply *>().size(), 0);
    QCOMPARE(dialog.findChildren<QMovie *>().size(), 1);
}

void TestShowNoteImageDialog::failuresShowTheErrorBox()
{
    auto stub = std::make_unique<HttpStub>();
    QVERIFY(stub->listen());
    stub->enqueue(StubResponse::raw(404, "not found", "text/plain"));
    stub->enqueue(StubResponse::raw(200, "<html>no picture here</html>"));
    stub->enqueue(StubResponse::raw(200, QByteArray(), "image/png"));
    ModalAnswerer answerer;
    ShowNoteImageDialog dialog;

    for (const char *name : {"missing.png", "page.png", "empty.png", "refused.png"}) {
        if (qstrcmp(name, "refused.png") == 0)
            stub.reset(); // nobody listens any more
        answerer.box(QStringLiteral("提示"), QStringLiteral("图片加载错误!"), QStringLiteral("知道了"));
        askNote(dialog, QString::fromLatin1(name), QString::fromLatin1(name));
        QTRY_VERIFY_WITH_TIMEOUT(answerer.allAnswered(), 10000);
        QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
        // Nothing else changes: still the animation, still the loading size.
        QVERIFY(labelOf(dialog)->isVisible());
        QVERIFY(labelOf(dialog)->pixmap().isNull());
        QCOMPARE(dialog.size(), QSize(200, 200));
        QCOMPARE(dialog.windowTitle(), QString::fromLatin1(name));
    }
    QCOMPARE(answerer.seen().count(QStringLiteral("图片加载错误!")), 4);
    QTRY_COMPARE(dialog.findChildren<QNetworkReply *>().size(), 0);
}

void TestShowNoteImageDialog::demoPicturesFromTheServer()
{
    ServerProcess server(true);
    QVERIFY(server.start());
    const QJsonObject planRow =
        ServerProcess::rows("workPlan", " and (image is not null and image !='') ").at(0).toObject();
    const QJsonObject noteRow = ServerProcess::rows("note", " and (image is not null and image !='') ").at(0).toObject();
    ShowNoteImageDialog dialog;

    DWorkPlan plan;
    plan.setTitle(planRow.value("title").toString());
    plan.setImage(planRow.value("image").toString());
    dialog.receiveWorkPlan(plan);
    dialog.show();
    QTRY_VERIFY(pictureShown(dialog));
    const QSize planPicture = labelOf(dialog)->pixmap().size();
    QVERIFY(planPicture.width() > 0 && planPicture.width() <= 1920 && planPicture.height() <= 1080);
    QCOMPARE(dialog.size(), planPicture);
    QCOMPARE(dialog.windowTitle(), plan.getTitle());

    askNote(dialog, noteRow.value("title").toString(), noteRow.value("image").toString());
    QVERIFY(!pictureShown(dialog));
    QTRY_VERIFY(pictureShown(dialog));
    QCOMPARE(dialog.size(), labelOf(dialog)->pixmap().size());
    QCOMPARE(dialog.pos(), QPoint((1920 - dialog.width()) / 2, (1080 - dialog.height()) / 2));
}

void TestShowNoteImageDialog::dragsByAnyButtonAndClosesFromItsMenu()
{
    ShowNoteImageDialog dialog;
    dialog.show();
    dialog.move(100, 100);
    QTRY_COMPARE(dialog.pos(), QPoint(100, 100));

    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint start = dialog.pos();
        const QPoint grip = start + QPoint(30, 40);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), QPointF(grip), button, button, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &press);
        QMouseEvent move(QEvent::MouseMove, QPointF(80, 70), QPointF(grip + QPoint(50, 30)), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(&dialog, &move);
        QTRY_COMPARE(dialog.pos(), start + QPoint(50, 30));
    }

    // The context menu's one entry closes the window.
    QString entries;
    QTimer::singleShot(100, this, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            entries += action->text() + (action->icon().isNull() ? "" : "+icon");
        menu->actions().value(0)->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(10, 10), dialog.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&dialog, &menuEvent);
    QVERIFY(menuEvent.isAccepted());
    QCOMPARE(entries, QStringLiteral("关闭窗口+icon"));
    QVERIFY(!dialog.isVisible());
}

int main(int argc, char **argv)
{
    // Two screens side by side on the offscreen platform.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"windowFrameMargins": false, "screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "right", "x": 1920, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
    ]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    QApplication app(argc, argv);
    TestShowNoteImageDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shownoteimagedialog.moc"
