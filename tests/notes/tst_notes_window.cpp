// The notes window against the real server over loopback, used as a person
// would: its rows with their thumbnail, voice clip and attachment, the viewers,
// the row menu, deleting, the due view and the backup of every page.
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QtTest>

#include "domainnote.h"
#include "domainui.h"
#include "domainuser.h"
#include "downloaddialog.h"
#include "guidriver.h"
#include "modalanswerer.h"
#include "musicplaydialog.h"
#include "notewindow.h"
#include "notetesting.h"
#include "serverprocess.h"
#include "showcontentdialog.h"
#include "shownoteimagedialog.h"
#include "workbookfile.h"

namespace {

const QString kHost = QStringLiteral("http://127.0.0.1:8091");

QString day(int offset)
{
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

// A shown note of `owner`; `extra` replaces or adds fields.
QJsonObject note(const QString &owner, const QString &title, const QJsonObject &extra = {})
{
    QJsonObject n{{"id", 0},
                  {"mold", QStringLiteral("工作笔记")},
                  {"isShow", QStringLiteral("展示")},
                  {"grade", 1},
                  {"title", title},
                  {"content", QStringLiteral("<p>%1</p>").arg(title)},
                  {"registerDate", QStringLiteral("2024-03-01 10:00:00")},
                  {"updateDate", QStringLiteral("2024-03-01 10:00:00")},
                  {"isRemind", QStringLiteral("关闭")},
                  {"loginName", owner}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        n.insert(it.key(), it.value());
    return n;
}

bool seed(const QJsonObject &record)
{
    return ServerProcess::add(QStringLiteral("note"), record).value("flag").toInt() == 1;
}

int idOf(const QString &owner, const QString &title)
{
    return storedNote(owner, title).value("id").toInt();
}

int topLevelCount(const char *className)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->inherits(className) ? 1 : 0;
    return n;
}

} // namespace

class TestNotesWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsShowPictureClipAndAttachment();
    void contentViewerShowsTheRowClicked();
    void downloadSavesTheAttachment();
    void reminderColours();
    void rowMenuFollowsTheRowClicked();
    void deleteNeedsConfirmation();
    void dueViewIsRefreshedAfterADeletion();
    void backupOfAllPages();
    void turnedPagesShowTheirOwnNotes();

private:
    // The rows of the page shown against the notes of turning(): each row's
    // content, thumbnail, voice clip, attachment and reminder date belong to
    // the note of its title.
    void checkPage(const Notes &notes, const QStringList &titles);

    ServerProcess server{true};
};

void TestNotesWindow::initTestCase()
{
    QVERIFY(server.start());
}

void TestNotesWindow::rowsShowPictureClipAndAttachment()
{
    Notes notes(QStringLiteral("demo"), 1);
    notes.preset();
    QCOMPARE(notes.table()->rowCount(), 7);

    const int pictured = notes.rowOf(QStringLiteral("指导笔记：demo的示例"));
    QVERIFY(pictured >= 0);
    auto *thumbnail = qobject_cast<QLabel *>(notes.cell(pictured, 13));
    QVERIFY(thumbnail);
    const QPixmap picture = thumbnail->pixmap();
    QVERIFY(!picture.isNull());
    QCOMPARE(qMax(picture.width(), picture.height()), 40);
    QCOMPARE(notes.table()->item(pictured, 12)->text(), QStringLiteral("2 天"));
    QCOMPARE(notes.table()->item(pictured, 2)->text(), QStringLiteral("1"));

    // A double-click on the thumbnail opens the picture in the image viewer.
    notes.table()->setCurrentCell(notes.rowOf(QStringLiteral("其它：demo的示例")), 0);
    GuiDriver::doubleClick(thumbnail);
    auto *viewer = topLevel<ShowNoteImageDialog>();
    QVERIFY(viewer);
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("指导笔记：demo的示例"));
    // Loaded, the picture replaces the loading label.
    QTRY_VERIFY(!viewer->findChild<QLabel *>(QStringLiteral("label"))->isVisible());
    viewer->close();

    const int plain = notes.rowOf(QStringLiteral("其它：demo的示例"));
    for (int column : {13, 14, 15})
        QVERIFY(!notes.cell(plain, column));
    QCOMPARE(notes.table()->item(plain, 12)->text(), QStringLiteral("0 天"));

    // The attachment under the name the user gave it.
    const int attached = notes.rowOf(QStringLiteral("读书笔记：demo的示例"));
    QWidget *attachment = notes.cell(attached, 15);
    QVERIFY(attachment);
    QCOMPARE(attachment->findChild<QLabel *>()->text(), QStringLiteral("使用说明.txt"));
    QCOMPARE(attachment->findChild<QPushButton *>()->text(), QStringLiteral("下 载"));

    // Each press hands the clip's address to the one player once.
    const int voiced = notes.rowOf(QStringLiteral("有感而发：demo的示例"));
    auto *play = notes.cell(voiced, 14)->findChild<QPushButton *>();
    QCOMPARE(play->text(), QStringLiteral("播放"));
    QStringList handed;
    connect(&notes.window, &NoteWindow::sendMusicPath, this, [&handed](QString &path) { handed << path; });
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(play, Qt::LeftButton);
    const QString clip = kHost + QStringLiteral("/account/note/voice_1764000000003.wav");
    QCOMPARE(handed, QStringList({clip, clip, clip}));
    QCOMPARE(topLevelCount("MusicPlayDialog"), 1);
    auto *player = topLevel<MusicPlayDialog>();
    QVERIFY(player->isVisible());
    QCOMPARE(player->findChild<QMediaPlayer *>()->source(), QUrl(clip));
    player->close();
}

void TestNotesWindow::contentViewerShowsTheRowClicked()
{
    Notes notes(QStringLiteral("demo"), 1);
    notes.preset();
    const int first = notes.rowOf(QStringLiteral("学习笔记：demo的示例"));
    const int other = notes.rowOf(QStringLiteral("其它：demo的示例"));
    // The table's current row is another one than the row double-clicked.
    notes.table()->setCurrentCell(other, 0);
    auto *content = qobject_cast<QLabel *>(notes.cell(first, 19));
    QVERIFY(content->text().startsWith(QLatin1String("<body")));
    QVERIFY(content->text().contains(QStringLiteral("这是一条<span style=\" font-weight:700;\">学习笔记</span>")));
    GuiDriver::doubleClick(content);
    ShowContentDialog *viewer = notes.contentViewer();
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("学习笔记"));
    QCOMPARE(viewer->findChild<QLabel *>(QStringLiteral("label_title"))->text(), QStringLiteral("学习笔记：demo的示例"));
    QCOMPARE(viewer->findChild<QTextBrowser *>()->toPlainText(), QStringLiteral("这是一条学习笔记，记录于演示数据。"));

    // The same viewer shows the next note in place.
    GuiDriver::doubleClick(notes.cell(other, 19));
    QCOMPARE(notes.window.findChildren<ShowContentDialog *>().size(), 1);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("其它"));

    // A link in a note is not followed: a local file's address shows no file.
    QTemporaryDir dir;
    QFile secret(dir.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
    secret.close();
    DomainNote linked;
    linked.setMold(QStringLiteral("其它"));
    linked.setContent(QStringLiteral("<p>见<a href='%1'>本地文件</a></p>").arg(QUrl::fromLocalFile(secret.fileName()).toString()));
    viewer->receiveNote(linked);
    auto *browser = viewer->findChild<QTextBrowser *>();
    QTextCursor inLink(browser->document());
    inLink.setPosition(3);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(inLink).center());
    QCOMPARE(browser->toPlainText(), QStringLiteral("见本地文件"));
    viewer->close();
}

void TestNotesWindow::downloadSavesTheAttachment()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("使用说明.txt"));
    Notes notes(QStringLiteral("demo"), 1);
    notes.preset();
    QWidget *attachment = notes.cell(notes.rowOf(QStringLiteral("读书笔记：demo的示例")), 15);
    ModalAnswerer answerer;
    GuiDriver::chooseFile(answerer, target);
    QTest::mouseClick(attachment->findChild<QPushButton *>(), Qt::LeftButton);
    QTRY_VERIFY(answerer.allAnswered());
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));

    QFile stored(server.dataDir() + QStringLiteral("/files/note/使用说明_1764000000004.txt"));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray expected = stored.readAll();
    QFile saved(target);
    QTRY_COMPARE(QFileInfo(target).size(), qint64(expected.size()));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), expected);

    // A closed downloader is released.
    auto *downloader = topLevel<DownLoadDialog>();
    QVERIFY(downloader);
    QTRY_VERIFY(downloader->findChild<QLabel *>(QStringLiteral("label_progress"))->text().contains(QStringLiteral("下载完成")));
    downloader->close();
    QTRY_COMPARE(topLevelCount("DownLoadDialog"), 0);
}

void TestNotesWindow::reminderColours()
{
    const QString owner = QStringLiteral("colours");
    auto remind = [&](const QString &title, const QString &date, int days, const QString &isRemind = QStringLiteral("开启")) {
        return seed(note(owner, title, {{"isRemind", isRemind}, {"remindDate", date}, {"remindDateNumber", days}}));
    };
    QVERIFY(remind(QStringLiteral("today"), day(0), 3));
    QVERIFY(remind(QStringLiteral("soon"), day(2), 3));
    QVERIFY(remind(QStringLiteral("later"), day(5), 3));
    QVERIFY(remind(QStringLiteral("overdue"), day(-1), 3));
    QVERIFY(remind(QStringLiteral("tomorrow"), day(1), 0));
    QVERIFY(remind(QStringLiteral("off"), day(0), 3, QStringLiteral("关闭")));
    QVERIFY(remind(QStringLiteral("undated"), QString(), 3));
    QVERIFY(remind(QStringLiteral("invalid"), QStringLiteral("2024-02-30"), 3));

    Notes notes(owner, 1);
    notes.preset();
    QCOMPARE(notes.table()->rowCount(), 8);
    auto date = [&](const QString &title) { return notes.table()->item(notes.rowOf(title), 11); };
    auto isRemind = [&](const QString &title) { return notes.table()->item(notes.rowOf(title), 7)->foreground().color(); };
    const QColor amber(255, 169, 0), grey(30, 30, 30);

    QCOMPARE(date(QStringLiteral("today"))->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(date(QStringLiteral("today"))->background().color(), QColor(255, 228, 181));
    QCOMPARE(date(QStringLiteral("soon"))->foreground().color(), QColor(255, 165, 0));
    QCOMPARE(date(QStringLiteral("later"))->foreground().color(), QColor(0, 100, 0));
    QCOMPARE(date(QStringLiteral("overdue"))->foreground().color(), QColor(255, 0, 0));
    QCOMPARE(date(QStringLiteral("overdue"))->background().style(), Qt::NoBrush);
    QCOMPARE(date(QStringLiteral("tomorrow"))->foreground().color(), QColor(0, 100, 0));
    for (const QString &title : {QStringLiteral("today"), QStringLiteral("soon"), QStringLiteral("later"),
                                 QStringLiteral("overdue"), QStringLiteral("tomorrow")})
        QCOMPARE(isRemind(title), amber);
    // Off, without a date or with a date that does not exist: the date is left alone.
    for (const QString &title : {QStringLiteral("off"), QStringLiteral("undated"), QStringLiteral("invalid")}) {
        QCOMPARE(isRemind(title), grey);
        QVERIFY(!date(title)->data(Qt::ForegroundRole).isValid());
        QVERIFY(!date(title)->data(Qt::BackgroundRole).isValid());
    }
}

void TestNotesWindow::rowMenuFollowsTheRowClicked()
{
    const QString owner = QStringLiteral("menus");
    QVERIFY(seed(note(owner, QStringLiteral("bare"), {{"content", QString()}})));
    QVERIFY(seed(note(owner, QStringLiteral("pictured"), {{"image", QStringLiteral("sunrise_1764000000001.png")}})));
    QVERIFY(seed(note(owner, QStringLiteral("lost"), {{"image", QStringLiteral("lost_1764000000000.png")}})));
    Notes notes(owner, 1);
    notes.preset();
    // A picture the server does not have leaves its thumbnail empty.
    auto *lost = qobject_cast<QLabel *>(notes.cell(notes.rowOf(QStringLiteral("lost")), 13));
    QVERIFY(lost);
    QVERIFY(lost->pixmap().isNull());
    const int bare = notes.rowOf(QStringLiteral("bare"));
    const int pictured = notes.rowOf(QStringLiteral("pictured"));
    QCOMPARE(GuiDriver::menuEntries(notes.table(), notes.at(bare)), QStringList({"修改此行", "删除此行"}));
    QCOMPARE(GuiDriver::menuEntries(notes.table(), notes.at(pictured)),
             QStringList({"修改此行", "删除此行", "显示内容", "显示图片"}));
    // Below the last row no menu opens.
    const QRect last = notes.table()->visualItemRect(notes.table()->item(notes.table()->rowCount() - 1, 0));
    QVERIFY(GuiDriver::menuEntries(notes.table(), last.center() + QPoint(0, last.height() * 2)).isEmpty());

    // The entry acts on the row under the mouse, whatever the current row.
    notes.table()->setCurrentCell(bare, 0);
    QVERIFY(GuiDriver::pickFromMenu(notes.table(), notes.at(pictured), QStringLiteral("显示内容")));
    QTRY_VERIFY(notes.contentViewer()->isVisible());
    QCOMPARE(notes.contentViewer()->findChild<QLabel *>(QStringLiteral("label_title"))->text(), QStringLiteral("pictured"));
    notes.contentViewer()->close();
    QVERIFY(GuiDriver::pickFromMenu(notes.table(), notes.at(pictured), QStringLiteral("显示图片")));
    auto *viewer = topLevel<ShowNoteImageDialog>();
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("pictured"));
    viewer->close();
}

void TestNotesWindow::deleteNeedsConfirmation()
{
    const QString owner = QStringLiteral("deleting");
    QVERIFY(seed(note(owner, QStringLiteral("keep"))));
    QVERIFY(seed(note(owner, QStringLiteral("drop"))));
    Notes notes(owner, 1);
    notes.preset();
    {
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("取消"));
        QVERIFY(GuiDriver::pickFromMenu(notes.table(), notes.at(notes.rowOf(QStringLiteral("drop"))), QStringLiteral("删除此行")));
        QVERIFY(answerer.allAnswered());
        QVERIFY(answerer.problems().isEmpty());
    }
    QVERIFY(idOf(owner, QStringLiteral("drop")) != 0);
    QCOMPARE(notes.table()->rowCount(), 2);

    notes.table()->setCurrentCell(notes.rowOf(QStringLiteral("keep")), 0);
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(notes.table(), notes.at(notes.rowOf(QStringLiteral("drop"))), QStringLiteral("删除此行")));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(idOf(owner, QStringLiteral("drop")), 0);
    QVERIFY(idOf(owner, QStringLiteral("keep")) != 0);
    QCOMPARE(notes.titles(), QStringList({"keep"}));
}

void TestNotesWindow::dueViewIsRefreshedAfterADeletion()
{
    const QString owner = QStringLiteral("due");
    for (int i = 1; i <= 3; ++i)
        QVERIFY(seed(note(owner, QStringLiteral("due%1").arg(i),
                          {{"isRemind", QStringLiteral("开启")}, {"remindDate", day(0)}, {"remindDateNumber", 1}})));
    QVERIFY(seed(note(owner, QStringLiteral("far"),
                      {{"isRemind", QStringLiteral("开启")}, {"remindDate", day(60)}, {"remindDateNumber", 1}})));
    QVERIFY(seed(note(owner, QStringLiteral("quiet"))));
    Notes notes(owner, 1);
    {
        ModalAnswerer answerer;
        answerer.box(QStringLiteral("处理提醒提示"), QStringLiteral("条笔记需要处理"), QStringLiteral("查看"));
        notes.window.receiveSignal();
        QVERIFY(answerer.allAnswered());
        QVERIFY(answerer.seen().join('\n').contains(QStringLiteral("<span style='color:red'>3</span>")));
    }
    notes.window.show();
    QCOMPARE(notes.table()->rowCount(), 3);

    ModalAnswerer answerer;
    answerer.box(QStringLiteral("删除提示"), QString(), QStringLiteral("确认"));
    QVERIFY(GuiDriver::pickFromMenu(notes.table(), notes.at(notes.rowOf(QStringLiteral("due2"))), QStringLiteral("删除此行")));
    QVERIFY(answerer.allAnswered());
    // Still the due notes, without the one deleted, on one page.
    QStringList shown = notes.titles();
    shown.sort();
    QCOMPARE(shown, QStringList({"due1", "due3"}));
    QCOMPARE(notes.status(), QStringLiteral("当前总笔记数量为 2 条，已全部显示在页面中；    "));
}

void TestNotesWindow::backupOfAllPages()
{
    const QString owner = QStringLiteral("many");
    for (int i = 1; i <= 35; ++i)
        QVERIFY(seed(note(owner, QStringLiteral("n%1").arg(i, 2, 10, QLatin1Char('0')),
                          {{"grade", i % 5 + 1}, {"comment", QStringLiteral("c%1").arg(i)}})));
    Notes notes(owner, 1);
    notes.preset(30);
    QCOMPARE(notes.table()->rowCount(), 30);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.xlsx"));
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("备份"), QStringLiteral("总笔记数量大于当前显示的笔记数量"), QStringLiteral("全部导出"));
    GuiDriver::chooseFile(answerer, path);
    answerer.box(QStringLiteral("备份提示"), QStringLiteral("备份成功"), QStringLiteral("知道了"));
    notes.window.findChild<QAction *>(QStringLiteral("copyAction"))->trigger();
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QCOMPARE(notes.table()->rowCount(), 35);

    const QJsonArray sheet = WorkbookFile::rows(path);
    QCOMPARE(sheet.size(), 36);
    const QJsonArray header = sheet.at(0).toArray();
    QCOMPARE(header.size(), 18);
    QCOMPARE(header.at(0).toString(), QStringLiteral("笔记类型"));
    QCOMPARE(header.at(17).toString(), QStringLiteral("备注"));
    QStringList titles;
    for (int r = 1; r < sheet.size(); ++r)
        titles << sheet.at(r).toArray().at(3).toString();
    titles.sort();
    QCOMPARE(titles.first(), QStringLiteral("n01"));
    QCOMPARE(titles.last(), QStringLiteral("n35"));
    QCOMPARE(titles.removeDuplicates(), 0);

    // The next page is a page of 30 again.
    notes.window.findAll();
    QCOMPARE(notes.table()->rowCount(), 30);
}

namespace {

// Note i (1 to 11) of the owner "turning": a picture the server has (i % 3 == 1),
// one it has not (i % 3 == 2) or none; a voice clip and an attachment unless
// i % 3 is 2 and 0 respectively; a reminder due today when i % 3 == 0. Pages
// of 4 rows put notes of other kinds at a row's place from page to page.
QJsonObject turning(int i)
{
    const QString n = QString::number(i);
    QJsonObject extra{{"content", QStringLiteral("<p>c%1 <b>text</b></p>").arg(n)}};
    if (i % 3 == 1)
        extra.insert("image", QStringLiteral("sunrise_1764000000001.png"));
    else if (i % 3 == 2)
        extra.insert("image", QStringLiteral("lost%1_1764000000000.png").arg(n));
    if (i % 3 != 2)
        extra.insert("volume", QStringLiteral("v%1_1764000000003.wav").arg(n));
    if (i % 3 != 0)
        extra.insert("attachedFile", QStringLiteral("a%1_1764000000004.txt").arg(n));
    if (i % 3 == 0) {
        extra.insert("isRemind", QStringLiteral("开启"));
        extra.insert("remindDate", day(0));
        extra.insert("remindDateNumber", 1);
    }
    return note(QStringLiteral("turning"), QStringLiteral("t%1").arg(i, 2, 10, QLatin1Char('0')), extra);
}

} // namespace

void TestNotesWindow::checkPage(const Notes &notes, const QStringList &titles)
{
    QStringList shown = notes.titles();
    shown.sort();
    QCOMPARE(shown, titles);
    for (int row = 0; row < notes.table()->rowCount(); ++row) {
        const QString title = notes.table()->item(row, 3)->text();
        const int i = title.mid(1).toInt();
        const QJsonObject expected = turning(i);
        auto *content = qobject_cast<QLabel *>(notes.cell(row, 19));
        QVERIFY2(content, qPrintable(title));
        QCOMPARE(content->text(), expected.value("content").toString());

        auto *thumbnail = qobject_cast<QLabel *>(notes.cell(row, 13));
        QCOMPARE(thumbnail != nullptr, i % 3 != 0);
        if (thumbnail) // the server has the picture of i % 3 == 1 only
            QCOMPARE(thumbnail->pixmap().isNull(), i % 3 == 2);
        QCOMPARE(notes.cell(row, 14) != nullptr, i % 3 != 2);
        QWidget *attachment = notes.cell(row, 15);
        QCOMPARE(attachment != nullptr, i % 3 != 0);
        if (attachment)
            QCOMPARE(attachment->findChild<QLabel *>()->text(), QStringLiteral("a%1.txt").arg(i));
        QTableWidgetItem *date = notes.table()->item(row, 11);
        QCOMPARE(date->data(Qt::BackgroundRole).isValid(), i % 3 == 0);
        QCOMPARE(date->data(Qt::ForegroundRole).isValid(), i % 3 == 0);
    }
}

void TestNotesWindow::turnedPagesShowTheirOwnNotes()
{
    for (int i = 1; i <= 11; ++i)
        QVERIFY(seed(turning(i)));
    Notes notes(QStringLiteral("turning"), 1);
    notes.preset(4);
    auto page = [&](int number) {
        QStringList titles;
        for (int i = 1; i <= 11; ++i)
            titles << QStringLiteral("t%1").arg(i, 2, 10, QLatin1Char('0'));
        titles = titles.mid(11 - 4 * number, 4); // newest first
        if (number == 3)
            titles = QStringList({"t01", "t02", "t03"});
        return titles;
    };
    auto *next = notes.window.findChild<QPushButton *>(QStringLiteral("pushButton_nextPage"));
    auto *previous = notes.window.findChild<QPushButton *>(QStringLiteral("pushButtonl_previousPage"));
    checkPage(notes, page(1));
    if (QTest::currentTestFailed())
        return;
    // The rows of page 1 have their widgets; on page 2 they act for the notes
    // now in their rows: the viewers and the player get those notes.
    QTest::mouseClick(next, Qt::LeftButton);
    checkPage(notes, page(2));
    if (QTest::currentTestFailed())
        return;
    GuiDriver::doubleClick(notes.cell(notes.rowOf(QStringLiteral("t06")), 19));
    QTRY_VERIFY(notes.contentViewer()->isVisible());
    QCOMPARE(notes.contentViewer()->findChild<QLabel *>(QStringLiteral("label_title"))->text(), QStringLiteral("t06"));
    notes.contentViewer()->close();
    GuiDriver::doubleClick(notes.cell(notes.rowOf(QStringLiteral("t07")), 13));
    auto *viewer = topLevel<ShowNoteImageDialog>();
    QVERIFY(viewer);
    QTRY_VERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("t07"));
    viewer->close();
    QStringList handed;
    disconnect(&notes.window, &NoteWindow::sendMusicPath, nullptr, nullptr);
    connect(&notes.window, &NoteWindow::sendMusicPath, this, [&handed](QString &path) { handed << path; });
    for (const QString &title : {QStringLiteral("t07"), QStringLiteral("t06")})
        QTest::mouseClick(notes.cell(notes.rowOf(title), 14)->findChild<QPushButton *>(), Qt::LeftButton);
    QCOMPARE(handed, QStringList({kHost + QStringLiteral("/account/note/v7_1764000000003.wav"),
                                  kHost + QStringLiteral("/account/note/v6_1764000000003.wav")}));
    if (auto *player = topLevel<MusicPlayDialog>())
        player->close();

    // On to the last page (fewer rows), back, and to the first by the selector.
    QTest::mouseClick(next, Qt::LeftButton);
    checkPage(notes, page(3));
    if (QTest::currentTestFailed())
        return;
    QTest::mouseClick(previous, Qt::LeftButton);
    checkPage(notes, page(2));
    if (QTest::currentTestFailed())
        return;
    notes.window.findChild<QComboBox *>(QStringLiteral("comboBox_pageNumber"))->setCurrentIndex(0);
    checkPage(notes, page(1));
}

QTEST_MAIN(TestNotesWindow)
#include "tst_notes_window.moc"
