#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScopedPointer>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

// The compiled-in images and the translation of the toolkit's edit menus.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void everyListedImageLoads();
    void noImageBeyondTheList();
    void namesWithBlanksAndFolders();
    void spinnersAreAnimated();
    void translationCoversEditMenus();

private:
    QStringList listed() const;
};

// Names as images.txt lists them (the one list the build draws from).
QStringList TestResources::listed() const
{
    const QString path = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../resources/images.txt";
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList names;
    for (const QString &line : QString::fromUtf8(f.readAll()).split('\n')) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith('#'))
            continue;
        names << t.section('|', 0, 0).trimmed();
    }
    return names;
}

void TestResources::everyListedImageLoads()
{
    QStringList names = listed();
    QCOMPARE(names.size(), 92);
    QCOMPARE(names.removeDuplicates(), 0);
    for (const QString &name : names) {
        const QString path = ":/images/" + name;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QImageReader reader(path);
        // The bytes are in the format the extension names.
        QString suffix = QFileInfo(name).suffix().toLower();
        if (suffix == "jpg")
            suffix = "jpeg";
        QCOMPARE(QString::fromLatin1(reader.format()), suffix);
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(path + ": " + reader.errorString()));
        QVERIFY(img.width() >= 16 && img.height() >= 16);
        QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
        // Not a blank canvas: something was drawn.
        const QImage small = img.convertToFormat(QImage::Format_ARGB32).scaled(16, 16);
        QSet<QRgb> colours;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x)
                colours.insert(small.pixel(x, y));
        QVERIFY2(colours.size() > 1, qPrintable(path));
    }
}

void TestResources::noImageBeyondTheList()
{
    QStringList found;
    QDirIterator it(QStringLiteral(":/images"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(QStringLiteral(":/images/").size());
    QStringList names = listed();
    names.sort();
    found.sort();
    QCOMPARE(found, names);
}

void TestResources::namesWithBlanksAndFolders()
{
    // Names the windows use exactly as written, blanks and brackets included.
    for (const char *name : {":/images/password (2).png", ":/images/back (1).jpg", ":/images/textloom/logo.jpg",
                             ":/images/textloom/color.jpg", ":/images/doctorLog.png", ":/images/checkbox-on.png"})
        QVERIFY2(!QPixmap(QString::fromUtf8(name)).isNull(), name);
    // A style sheet's url() and a path without the slash after the colon reach the same files.
    QVERIFY(!QImage(QStringLiteral(":images/loading01.gif")).isNull());
    QVERIFY(!QIcon(QStringLiteral(":/images/find1.png")).pixmap(32, 32).isNull());
}

void TestResources::spinnersAreAnimated()
{
    for (const QString &path : {QStringLiteral(":/images/loading.gif"), QStringLiteral(":images/loading01.gif")}) {
        QMovie movie(path);
        QVERIFY2(movie.isValid(), qPrintable(path));
        QVERIFY2(movie.frameCount() >= 8, qPrintable(QString::number(movie.frameCount())));
        QCOMPARE(movie.loopCount(), -1); // loops for ever
        // Frames differ from each other and the movie wraps round.
        QVERIFY(movie.jumpToFrame(0));
        QVERIFY(movie.nextFrameDelay() > 0);
        const QImage first = movie.currentImage();
        QVERIFY(movie.jumpToNextFrame());
        QVERIFY(!first.isNull());
        QVERIFY(movie.currentImage() != first);

        int frames = 0;
        QMovie playing(path);
        connect(&playing, &QMovie::frameChanged, this, [&frames] { ++frames; });
        playing.start();
        QTRY_VERIFY_WITH_TIMEOUT(frames > playing.frameCount() + 2, 5000);
        QCOMPARE(playing.state(), QMovie::Running);
        playing.stop();
    }
}

void TestResources::translationCoversEditMenus()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/qtbase_partial_zh_CN.qm")));
    QCOMPARE(translator.translate("QLineEdit", "&Copy"), QStringLiteral("复制(&C)"));
    QCOMPARE(translator.translate("QWidgetTextControl", "Copy &Link Location"), QStringLiteral("复制链接地址(&L)"));
    QVERIFY(QCoreApplication::installTranslator(&translator));

    // The menus the toolkit builds show only translated texts.
    const QStringList expected = {"撤销(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"};
    auto texts = [](QMenu *menu) {
        QStringList out;
        for (QAction *a : menu->actions())
            if (!a->isSeparator())
                out << a->text().section('\t', 0, 0);
        return out;
    };
    QLineEdit line;
    QScopedPointer<QMenu> lineMenu(line.createStandardContextMenu());
    QCOMPARE(texts(lineMenu.data()), expected);

    QTextEdit text;
    QScopedPointer<QMenu> textMenu(text.createStandardContextMenu());
    QCOMPARE(texts(textMenu.data()), expected);

    QPlainTextEdit plain;
    QScopedPointer<QMenu> plainMenu(plain.createStandardContextMenu());
    QCOMPARE(texts(plainMenu.data()), expected);

    // Over a link the rich-text menu adds the link entry.
    QTextEdit linked;
    linked.setHtml(QStringLiteral("<a href=\"http://example.com/\">link link link link</a>"));
    linked.setTextInteractionFlags(Qt::TextBrowserInteraction);
    linked.resize(300, 100);
    linked.show();
    QVERIFY(QTest::qWaitForWindowExposed(&linked));
    const QPoint onLink = linked.cursorRect(linked.document()->find("link")).center();
    QScopedPointer<QMenu> linkMenu(linked.createStandardContextMenu(onLink));
    QVERIFY2(texts(linkMenu.data()).contains("复制链接地址(&L)"), qPrintable(texts(linkMenu.data()).join('|')));
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
