// Stored files: downloads with HEAD and Range, the note upload, refused paths.
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPixmap>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "http.h"
#include "httpnote.h"
#include "httpworkplan.h"
#include "serverprocess.h"

namespace {

const QString kHost = QStringLiteral("http://127.0.0.1:8091");

// One request over a fresh connection, written byte for byte (no URL clean-up).
QByteArray raw(const QByteArray &request)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), 8091);
    if (!s.waitForConnected(3000))
        return QByteArray();
    s.write(request);
    QByteArray all;
    while (s.waitForReadyRead(3000))
        all += s.readAll();
    return all + s.readAll();
}

int statusOf(const QByteArray &response)
{
    return response.mid(9, 3).toInt();
}

struct Reply
{
    int status = 0;
    QByteArray body;
    QMap<QByteArray, QByteArray> headers;
};

Reply fetch(const QByteArray &method, const QString &path, const QByteArray &range = QByteArray())
{
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(kHost + path));
    if (!range.isEmpty())
        request.setRawHeader("Range", range);
    QNetworkReply *reply = method == "HEAD" ? manager.head(request) : manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Reply r;
    r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    r.body = reply->readAll();
    for (const auto &h : reply->rawHeaderPairs())
        r.headers.insert(h.first.toLower(), h.second);
    delete reply;
    return r;
}

bool putFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("data") == 4;
}

QJsonObject withRecord(const QJsonObject &record)
{
    return QJsonObject{{"dList", QJsonArray{record}}};
}

int addedId(const QJsonObject &result)
{
    return result.value("flag").toInt() == 1 ? result.value("data").toInt() : -1;
}

} // namespace

class TestServerFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(server.start()); }
    void headAndRangesOfAnAttachment();
    void demoFilesAreServed();
    void uploadStoresAPlainNameAndReplacesTheOldFile();
    void refusedUploads();
    void refusedPaths();
    void deletedNotesTakeTheFilesNoOtherNoteNames();
    void deletedPlansTakeThePictureNoOtherPlanNames();

private:
    ServerProcess server{true};
};

void TestServerFiles::headAndRangesOfAnAttachment()
{
    QByteArray content;
    for (int i = 0; i < 300000; ++i)
        content.append(char(i * 7 % 251));
    const QString name = QStringLiteral("报告_1764000000099.bin");
    QFile f(server.dataDir() + "/files/note/" + name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const QString path = "/account/note/" + QString::fromUtf8(QUrl::toPercentEncoding(name));

    Reply head = fetch("HEAD", path);
    QCOMPARE(head.status, 200);
    QCOMPARE(head.headers.value("content-length"), QByteArray::number(content.size()));
    QCOMPARE(head.headers.value("accept-ranges"), QByteArray("bytes"));
    QVERIFY(head.body.isEmpty());

    Reply whole = fetch("GET", path);
    QCOMPARE(whole.status, 200);
    QCOMPARE(whole.body, content);

    // The downloader's last piece names an end one past the last byte.
    Reply tail = fetch("GET", path, "bytes=200000-300000");
    QCOMPARE(tail.status, 206);
    QCOMPARE(tail.headers.value("content-range"), QByteArray("bytes 200000-299999/300000"));
    QCOMPARE(tail.body, content.mid(200000));
    Reply middle = fetch("GET", path, "bytes=10-19");
    QCOMPARE(middle.status, 206);
    QCOMPARE(middle.body, content.mid(10, 10));
    Reply open = fetch("GET", path, "bytes=299990-");
    QCOMPARE(open.body, content.mid(299990));
    Reply suffix = fetch("GET", path, "bytes=-5");
    QCOMPARE(suffix.body, content.right(5));

    Reply past = fetch("GET", path, "bytes=300000-300100");
    QCOMPARE(past.status, 416);
    QCOMPARE(past.headers.value("content-range"), QByteArray("bytes */300000"));
    QCOMPARE(fetch("GET", "/account/note/missing_1.bin").status, 404);
}

void TestServerFiles::demoFilesAreServed()
{
    Http http;
    QString url = kHost + "/account/note/sunrise_1764000000001.png";
    QScopedPointer<QPixmap> pixmap(http.getPixmap(url));
    QVERIFY(!pixmap->isNull());
    url = kHost + "/account/workPlan/roadmap_1764000000005.png";
    pixmap.reset(http.getPixmap(url));
    QVERIFY(!pixmap->isNull());

    Reply music = fetch("GET", "/account/backgroundMusic.mp3", "bytes=0-11");
    QCOMPARE(music.status, 206);
    QVERIFY(music.body.startsWith("RIFF"));
    QVERIFY(music.body.endsWith("WAVE"));
    QVERIFY(fetch("HEAD", "/account/backgroundMusic.mp3").headers.value("content-length").toLongLong() > 100000);
    QVERIFY(fetch("GET", "/account/note/voice_1764000000003.wav").body.startsWith("RIFF"));
    QVERIFY(fetch("HEAD", "/account/note/" + QUrl::toPercentEncoding("使用说明_1764000000004.txt")).headers
                .value("content-length").toInt() > 0);
}

void TestServerFiles::uploadStoresAPlainNameAndReplacesTheOldFile()
{
    QTemporaryDir local;
    const QString first = local.filePath("笔记 附件_1764000000100.pdf");
    QFile f(first);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4 first");
    f.close();
    HttpNote notes;
    QJsonObject r = notes.SendFileAndOldFileName("add", "", first);
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(r.value("temporary").toString(), QString("笔记 附件_1764000000100.pdf"));
    const QString stored = server.dataDir() + "/files/note/笔记 附件_1764000000100.pdf";
    QVERIFY(QFile::exists(stored));
    QCOMPARE(fetch("GET", "/account/note/" + QUrl::toPercentEncoding("笔记 附件_1764000000100.pdf")).body,
             QByteArray("%PDF-1.4 first"));

    // A copy made with a backslash before the name still arrives as a plain name.
    const QString second = local.filePath("folder\\笔记 附件_1764000000200.pdf");
    QFile g(second);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("%PDF-1.4 second");
    g.close();
    r = notes.SendFileAndOldFileName("update", "笔记 附件_1764000000100.pdf", second);
    QCOMPARE(r.value("flag").toInt(), 1);
    QCOMPARE(r.value("temporary").toString(), QString("笔记 附件_1764000000200.pdf"));
    QVERIFY(!QFile::exists(stored));
    QVERIFY(QFile::exists(server.dataDir() + "/files/note/笔记 附件_1764000000200.pdf"));
}

void TestServerFiles::refusedUploads()
{
    QTemporaryDir local;
    const QString empty = local.filePath("empty_1.txt");
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    HttpNote notes;
    QJsonObject r = notes.SendFileAndOldFileName("add", "", empty);
    QCOMPARE(r.value("flag").toInt(), -1);
    QVERIFY(!r.value("temporary").toString().isEmpty());

    const QString good = local.filePath("ok_1.txt");
    QFile g(good);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("x");
    g.close();
    QCOMPARE(notes.SendFileAndOldFileName("replace", "", good).value("flag").toInt(), -1);
    // An old name that climbs out of the folder removes nothing outside it.
    QCOMPARE(notes.SendFileAndOldFileName("update", "../lanzhou.sqlite", good).value("flag").toInt(), 1);
    QVERIFY(QFile::exists(server.dataDir() + "/lanzhou.sqlite"));
    QCOMPARE(notes.SendFileAndOldFileName("update", "../files/backgroundMusic.mp3", good).value("flag").toInt(), 1);
    QVERIFY(QFile::exists(server.dataDir() + "/files/backgroundMusic.mp3"));

    // A JSON body on the upload path is no form.
    QCOMPARE(ServerProcess::call("note", "updateImage", QJsonObject{{"bitmap", "x"}}).value("flag").toInt(), -1);
}

void TestServerFiles::refusedPaths()
{
    for (const QByteArray &path : {QByteArray("/account/note/../lanzhou.sqlite"), QByteArray("/account/note/..%2flanzhou.sqlite"),
                                   QByteArray("/account/note/..%5c..%5clanzhou.sqlite"), QByteArray("/account/workPlan/%2e%2e"),
                                   QByteArray("/account/note/a%00b"), QByteArray("/account/../../etc/passwd"),
                                   QByteArray("/account/note/")}) {
        const QByteArray response = raw("GET " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
        const int status = statusOf(response);
        QVERIFY2(status >= 400 && status < 500, path + " gave " + response.left(40));
        QVERIFY(!response.contains("SQLite format"));
    }
    const QByteArray unknown = raw("GET /android/note/add HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    QCOMPARE(statusOf(unknown), 404);
    const QByteArray badRange =
        raw("GET /account/backgroundMusic.mp3 HTTP/1.1\r\nHost: x\r\nRange: bytes=abc\r\nConnection: close\r\n\r\n");
    QCOMPARE(statusOf(badRange), 416);
}

void TestServerFiles::deletedNotesTakeTheFilesNoOtherNoteNames()
{
    const QString folder = server.dataDir() + "/files/note/";
    for (const char *name : {"pic_1.png", "clip_1.wav", "doc_1.txt", "shared_1.bin"})
        QVERIFY(putFile(folder + QString::fromLatin1(name)));
    HttpNote notes;
    auto note = [](const char *image, const char *volume, const char *file) {
        return QJsonObject{{"title", "t"}, {"loginName", "files"}, {"image", image}, {"volume", volume},
                           {"attachedFile", file}};
    };
    const int first = addedId(notes.add(withRecord(note("pic_1.png", "clip_1.wav", "doc_1.txt"))));
    const int second = addedId(notes.add(withRecord(note("pic_1.png", "", ""))));
    const int third = addedId(notes.add(withRecord(note("", "", "shared_1.bin"))));
    const int fourth = addedId(notes.add(withRecord(note("shared_1.bin", "", ""))));
    const int hostile = addedId(notes.add(withRecord(note("../lanzhou.sqlite", "../files/backgroundMusic.mp3", ""))));
    QVERIFY(first > 0 && second > 0 && third > 0 && fourth > 0 && hostile > 0);

    // The window's delete request carries the whole record; the stored names count.
    QJsonObject request{{"curPage", 1}, {"pageSize", 30}, {"conditionStr", " and loginName ='files'"}};
    request.insert("dList", QJsonArray{QJsonObject{{"id", first}, {"image", ""}, {"volume", ""}, {"attachedFile", "x"}}});
    QCOMPARE(notes.delete1(request).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(folder + "clip_1.wav"));
    QVERIFY(!QFile::exists(folder + "doc_1.txt"));
    QVERIFY(QFile::exists(folder + "pic_1.png")); // the second note names it
    QCOMPARE(notes.delete1(withRecord(QJsonObject{{"id", second}})).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(folder + "pic_1.png"));

    // A name in another field of another note keeps the file.
    QCOMPARE(notes.delete1(withRecord(QJsonObject{{"id", third}})).value("flag").toInt(), 1);
    QVERIFY(QFile::exists(folder + "shared_1.bin"));
    // A refused delete removes nothing.
    QCOMPARE(notes.delete1(QJsonObject{{"dList", QJsonArray{QJsonObject{{"id", fourth}}, QJsonObject{{"id", 999999}}}}})
                 .value("flag").toInt(),
             -1);
    QVERIFY(QFile::exists(folder + "shared_1.bin"));
    QCOMPARE(notes.delete1(withRecord(QJsonObject{{"id", fourth}})).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(folder + "shared_1.bin"));

    // Names that leave the folder remove nothing outside it.
    QCOMPARE(notes.delete1(withRecord(QJsonObject{{"id", hostile}})).value("flag").toInt(), 1);
    QVERIFY(QFile::exists(server.dataDir() + "/lanzhou.sqlite"));
    QVERIFY(QFile::exists(server.dataDir() + "/files/backgroundMusic.mp3"));
}

void TestServerFiles::deletedPlansTakeThePictureNoOtherPlanNames()
{
    const QString plans = server.dataDir() + "/files/workPlan/";
    QVERIFY(putFile(plans + "chart_1.png"));
    QVERIFY(putFile(server.dataDir() + "/files/note/chart_1.png"));
    HttpWorkPlan endpoint;
    const QJsonObject plan{{"title", "p"}, {"loginName", "files"}, {"isShow", "正常"}, {"image", "chart_1.png"}};
    const int first = addedId(endpoint.add(withRecord(plan)));
    const int second = addedId(endpoint.add(withRecord(plan)));
    QVERIFY(first > 0 && second > 0);
    // The plan window deletes with the id and the picture's name.
    QCOMPARE(endpoint.delete1(withRecord(QJsonObject{{"id", first}, {"image", "chart_1.png"}})).value("flag").toInt(), 1);
    QVERIFY(QFile::exists(plans + "chart_1.png"));
    QCOMPARE(endpoint.delete1(withRecord(QJsonObject{{"id", second}, {"image", "chart_1.png"}})).value("flag").toInt(), 1);
    QVERIFY(!QFile::exists(plans + "chart_1.png"));
    QVERIFY(QFile::exists(server.dataDir() + "/files/note/chart_1.png")); // a note's file of the same name stays
}

QTEST_MAIN(TestServerFiles)
#include "tst_serverfiles.moc"
