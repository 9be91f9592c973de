#include "downloaddialog.h"
#include "modalanswerer.h"
#include "serverprocess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// A file server on 127.0.0.1:8091 whose answers the test shapes: HEAD sizes,
// the plain GET's status, ranged answers, broken connections and pacing.
class FileServer : public QObject
{
    Q_OBJECT

public:
    struct Seen {
        QByteArray method, path, range;
        qint64 sent = 0;         // body bytes written
        bool clientLeft = false; // the client went away before the body was out
    };

    QByteArray content;
    QList<QByteArray> paths{"/account/note/report.final.pdf"};
    QByteArray headLength = "auto"; // "auto": the content's size; empty: no header
    int headStatus = 200;
    int headDelayMs = 0;
    int probeStatus = 200;
    int probeDelayMs = 0;
    std::function<void()> probeHeld; // called when a delayed probe has come in
    QByteArray probeLocation;
    bool honourRange = true;
    int rangeStatus = 0;  // answer every ranged request with this status instead
    QList<qint64> cuts;   // body bytes before the connection breaks, one per ranged request
    int paceMs = 0;       // ranged bodies in chunks of `chunk` every paceMs
    int chunk = 16384;
    QList<Seen> seen;

    bool listen() { return server.listen(QHostAddress::LocalHost, 8091); }
    QList<Seen> ranged() const
    {
        QList<Seen> out;
        for (const Seen &s : seen)
            if (s.method == "GET" && !s.range.isEmpty())
                out << s;
        return out;
    }

    FileServer()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                connect(s, &QTcpSocket::readyRead, this, [this, s, buffer] {
                    *buffer += s->readAll();
                    int end;
                    while ((end = buffer->indexOf("\r\n\r\n")) >= 0) {
                        const QByteArray head = buffer->left(end);
                        buffer->remove(0, end + 4);
                        answer(s, head);
                    }
                });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

private:
    void answer(QTcpSocket *s, const QByteArray &head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        if (probeDelayMs > 0 && first.value(0) == "GET" && !head.toLower().contains("\nrange:")) {
            const int delay = probeDelayMs;
            if (probeHeld)
                probeHeld();
            QTimer::singleShot(delay, s, [this, s, head, delay] {
                probeDelayMs = 0;
                answer(s, head);
                probeDelayMs = delay;
            });
            return;
        }
        Seen seenNow;
        seenNow.method = first.value(0);
        seenNow.path = first.value(1);
        for (const QByteArray &l : lines)
            if (l.toLower().startsWith("range:"))
                seenNow.range = l.mid(6).trimmed();
        seen << seenNow;
        const int index = seen.size() - 1;
        const qint64 size = content.size();

        QByteArray status = "200 OK";
        QList<QByteArray> headers;
        QByteArray body;
        bool paced = false;
        qint64 cut = -1;

        if (!paths.contains(seenNow.path)) {
            status = "404 Not Found";
            body = "missing";
        } else if (seenNow.method == "HEAD") {
            status = QByteArray::number(headStatus) + " X";
            if (headLength == "auto")
                headers << "Content-Length: " + QByteArray::number(size);
            else if (!headLength.isEmpty())
                headers << "Content-Length: " + headLength;
            const QByteArray out = "HTTP/1.1 " + status + "\r\n" + headers.join("\r\n") + (headers.isEmpty() ? "" : "\r\n")
                                   + "Connection: keep-alive\r\n\r\n";
            QTimer::singleShot(headDelayMs, s, [s, out] { s->write(out); });
            return;
        } else if (seenNow.range.isEmpty()) {
            // The plain GET: its body goes out slowly, so a client that only
            // wants the status can leave early.
            if (probeStatus == 301 || probeStatus == 302) {
                status = QByteArray::number(probeStatus) + " Moved";
                headers << "Location: " + probeLocation;
            } else if (probeStatus != 200) {
                status = QByteArray::number(probeStatus) + " No";
                body = "no";
            } else {
                body = content;
                paced = true;
            }
        } else if (rangeStatus) {
            status = QByteArray::number(rangeStatus) + " No";
            body = "no";
        } else {
            const QRegularExpressionMatch m =
                QRegularExpression("^bytes=(\\d+)-(\\d*)$").match(QString::fromLatin1(seenNow.range));
            const qint64 from = m.captured(1).toLongLong();
            qint64 to = m.captured(2).isEmpty() ? size - 1 : qMin(m.captured(2).toLongLong(), size - 1);
            if (!honourRange) {
                body = content;
            } else if (!m.hasMatch() || from >= size) {
                status = "416 Range Not Satisfiable";
                headers << "Content-Range: bytes */" + QByteArray::number(size);
            } else {
                status = "206 Partial Content";
                headers << "Content-Range: bytes " + QByteArray::number(from) + "-" + QByteArray::number(to) + "/"
                               + QByteArray::number(size);
                body = content.mid(from, to - from + 1);
            }
            cut = cuts.isEmpty() ? -1 : cuts.takeFirst();
            paced = paceMs > 0;
        }
        headers << "Content-Length: " + QByteArray::number(body.size());
        s->write("HTTP/1.1 " + status + "\r\n" + headers.join("\r\n") + "\r\nConnection: keep-alive\r\n\r\n");
        if (cut >= 0 && cut < body.size())
            body.truncate(cut);
        else
            cut = -1;
        if (!paced) {
            s->write(body);
            seen[index].sent = body.size();
            if (cut >= 0)
                s->disconnectFromHost();
            return;
        }
        auto rest = std::make_shared<QByteArray>(body);
        auto *timer = new QTimer(s);
        connect(s, &QTcpSocket::disconnected, this, [this, index, rest] {
            if (!rest->isEmpty())
                seen[index].clientLeft = true;
        });
        connect(timer, &QTimer::timeout, s, [this, s, timer, rest, index, cut] {
            if (s->state() != QAbstractSocket::ConnectedState)
                return timer->stop();
            const QByteArray part = rest->left(chunk);
            rest->remove(0, part.size());
            s->write(part);
            seen[index].sent += part.size();
            if (rest->isEmpty()) {
                timer->stop();
                if (cut >= 0)
                    s->disconnectFromHost();
            }
        });
        timer->start(paceMs ? paceMs : 2);
    }

    QTcpServer server;
};

// Relays 127.0.0.1:8093 to the real server on 8091 and breaks a connection that
// carries a ranged request after the next number of answer bytes in `cuts`.
class CuttingProxy : public QObject
{
    Q_OBJECT

public:
    QList<qint64> cuts;
    QList<QByteArray> ranges; // Range headers seen, in order
    int cutsDone = 0;

    bool listen() { return server.listen(QHostAddress::LocalHost, 8093); }

    CuttingProxy()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *client = server.nextPendingConnection()) {
                auto *upstream = new QTcpSocket(client);
                auto budget = std::make_shared<qint64>(-1);
                upstream->connectToHost(QHostAddress::LocalHost, 8091);
                connect(client, &QTcpSocket::readyRead, this, [this, client, upstream, budget] {
                    // Like any reverse proxy, name the server it forwards to: the
                    // server refuses requests addressed to another host.
                    const QByteArray data =
                        client->readAll().replace("Host: 127.0.0.1:8093", "Host: 127.0.0.1:8091");
                    for (const QByteArray &line : data.split('\n'))
                        if (line.toLower().startsWith("range:")) {
                            ranges << line.mid(6).trimmed();
                            if (!cuts.isEmpty())
                                *budget = cuts.takeFirst();
                        }
                    upstream->write(data);
                });
                connect(upstream, &QTcpSocket::readyRead, this, [this, client, upstream, budget] {
                    const QByteArray data = upstream->readAll();
                    if (*budget >= 0 && data.size() >= *budget) {
                        client->write(data.left(*budget));
                        *budget = -1;
                        ++cutsDone;
                        upstream->abort();
                        client->disconnectFromHost();
                        return;
                    }
                    if (*budget >= 0)
                        *budget -= data.size();
                    client->write(data);
                });
                connect(upstream, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
                connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
            }
        });
    }

private:
    QTcpServer server;
};

class TestDownLoadDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void emptyArguments();
    void fullDownload();
    void interruptedManyTimesEndsIdentical();
    void serverIgnoringRangeRestartsOnce();
    void serverIgnoringRangeAgainStops();
    void otherStatusStops_data();
    void otherStatusStops();
    void requestsWithoutProgressStop();
    void notFound_data();
    void notFound();
    void sizesBeyond32Bits();
    void relativeRedirect();
    void existingFileMovedAside();
    void isUsedNames();
    void unwritableFileStops();
    void cancelFileChoiceCloses();
    void closeWhileDownloadingDeletesPartial();
    void closeDuringSizeQueryAbortsIt();
    void closeDuringProbeAbortsIt();
    void progressUnits();
    void moreThanAnnouncedIsNotComplete_data();
    void moreThanAnnouncedIsNotComplete();
    void realServerDownload();
    void realServerSendsNoFasterThanTheProgramReads();
    void realServerInterruptedDownloadEndsIdentical();

private:
    static QByteArray randomBytes(qint64 n, quint32 seed);
    QPointer<DownLoadDialog> begin(const QString &name = QStringLiteral("report.final.pdf"));
    void choose(const QString &path);
    static QString progress(DownLoadDialog *d) { return d->findChild<QLabel *>("label_progress")->text(); }
    static QString progressStyle(DownLoadDialog *d) { return d->findChild<QLabel *>("label_progress")->styleSheet(); }
    static QString button(DownLoadDialog *d) { return d->findChild<QPushButton *>("pushButton")->text(); }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool waitDone(DownLoadDialog *d, int ms = 15000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (progress(d).startsWith("下载完成") || progressStyle(d) == "color:red;")
                return true;
            QTest::qWait(10);
        }
        return false;
    }

    QTemporaryDir home;
    QTemporaryDir dir;
    std::unique_ptr<FileServer> server;
    std::unique_ptr<ModalAnswerer> answerer;
    const QString url = QStringLiteral("http://127.0.0.1:8091/account/note/report.final.pdf");
};

QByteArray TestDownLoadDialog::randomBytes(qint64 n, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        out[i] = char(rng.bounded(256));
    return out;
}

void TestDownLoadDialog::initTestCase()
{
    // The file dialog starts on the desktop of this home.
    qputenv("HOME", home.path().toUtf8());
    QVERIFY(QDir(home.path()).mkpath("Desktop"));
}

void TestDownLoadDialog::init()
{
    server = std::make_unique<FileServer>();
    // The real server's tests have 8091 to themselves.
    if (!QByteArray(QTest::currentTestFunction()).startsWith("realServer"))
        QVERIFY(server->listen());
    answerer = std::make_unique<ModalAnswerer>(10000);
}

void TestDownLoadDialog::cleanup()
{
    QVERIFY2(answerer->problems().isEmpty(), qPrintable(answerer->problems().join('\n')));
    QVERIFY(answerer->allAnswered());
    answerer.reset();
    // Dialogs still open go now, before the server.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<DownLoadDialog *>(w))
            w->close();
    QTest::qWait(20);
    server.reset();
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
}

QPointer<DownLoadDialog> TestDownLoadDialog::begin(const QString &name)
{
    auto *d = new DownLoadDialog;
    if (d->startDownload(url, name))
        d->show();
    return d;
}

void TestDownLoadDialog::choose(const QString &path)
{
    answerer->dialog("QFileDialog", [path](QWidget *w) {
        auto *fd = qobject_cast<QFileDialog *>(w);
        fd->selectFile(path);
        static_cast<QDialog *>(fd)->accept();
    });
}

void TestDownLoadDialog::emptyArguments()
{
    DownLoadDialog *d = new DownLoadDialog;
    QVERIFY(!d->startDownload(QString(), "a.pdf"));
    QVERIFY(!d->startDownload(url, QString()));
    QTest::qWait(50);
    QVERIFY(server->seen.isEmpty());
    delete d;
}

void TestDownLoadDialog::fullDownload()
{
    server->content = randomBytes(3000000, 1);
    const QString path = dir.filePath("report.final.pdf");
    answerer->dialog("QFileDialog", [this, path](QWidget *w) {
        auto *fd = qobject_cast<QFileDialog *>(w);
        // Caption, filter and the start on the desktop, joined with "/".
        QCOMPARE(fd->windowTitle(), QString("保存附件为"));
        QCOMPARE(fd->nameFilters(), QStringList{"All(*.pdf)"});
        QCOMPARE(fd->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(fd->directory().absolutePath(), QDir(home.path()).absoluteFilePath("Desktop"));
        QCOMPARE(fd->selectedFiles().value(0), QDir(home.path()).absoluteFilePath("Desktop/report.final.pdf"));
        fd->selectFile(path);
        static_cast<QDialog *>(fd)->accept();
    });
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(d);
    QCOMPARE(button(d), QString("确 认"));
    QCOMPARE(d->findChild<QProgressBar *>()->value(), -1); // reset: no value shown
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载完成! 文件大小: 2MB"));
    QCOMPARE(progressStyle(d), QString("color:blue;"));
    QCOMPARE(button(d), QString("确认"));
    QCOMPARE(d->findChild<QLabel *>("label_location_address")->text(), path);
    QCOMPARE(d->findChild<QProgressBar *>()->maximum(), 3000000);
    QCOMPARE(d->findChild<QProgressBar *>()->value(), 3000000);
    QVERIFY(read(path) == server->content);

    QCOMPARE(server->seen.size(), 3);
    QCOMPARE(server->seen[0].method, QByteArray("HEAD"));
    QCOMPARE(server->seen[1].method, QByteArray("GET"));
    QVERIFY(server->seen[1].range.isEmpty());
    // The probe was cut off once its status was in.
    QVERIFY(server->seen[1].clientLeft);
    QVERIFY(server->seen[1].sent < 3000000);
    QCOMPARE(server->seen[2].range, QByteArray("bytes=0-3000000"));

    // After completion the button closes the dialog and keeps the file.
    QTest::mouseClick(d->findChild<QPushButton *>("pushButton"), Qt::LeftButton);
    QTRY_VERIFY(!d);
    QVERIFY(read(path) == server->content);
}

void TestDownLoadDialog::interruptedManyTimesEndsIdentical()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    const qint64 size = 1500000 + rng.bounded(100000);
    server->content = randomBytes(size, seed);
    // Break the connection at random points, some right after the headers.
    qint64 left = size;
    for (int i = 0; i < 7; ++i) {
        const qint64 cut = (i == 2) ? 0 : 1 + rng.bounded(int(left / 3));
        server->cuts << cut;
        left -= cut;
    }
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY2(waitDone(d), qPrintable(QString("seed %1").arg(seed)));
    QVERIFY2(progress(d).startsWith("下载完成"), qPrintable(QString("seed %1: %2").arg(seed).arg(progress(d))));
    QVERIFY2(read(path) == server->content, qPrintable(QString("seed %1").arg(seed)));

    // Every request starts exactly where the bytes on disk ended.
    const QList<FileServer::Seen> ranged = server->ranged();
    QCOMPARE(ranged.size(), 8);
    qint64 expected = 0;
    for (const FileServer::Seen &s : ranged) {
        QCOMPARE(s.range, "bytes=" + QByteArray::number(expected) + "-" + QByteArray::number(size));
        expected += s.sent;
    }
    QCOMPARE(expected, size);
}

void TestDownLoadDialog::serverIgnoringRangeRestartsOnce()
{
    server->content = randomBytes(900000, 2);
    server->honourRange = false;
    server->cuts = {600000};
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载完成! 文件大小: 878KB"));
    // The second whole-file answer replaced the first bytes instead of following them.
    QVERIFY(read(path) == server->content);
    QCOMPARE(server->ranged().size(), 2);
    QCOMPARE(server->ranged()[1].range, QByteArray("bytes=600000-900000"));
}

void TestDownLoadDialog::serverIgnoringRangeAgainStops()
{
    server->content = randomBytes(900000, 3);
    server->honourRange = false;
    server->cuts = {300000, 400000, 500000, 600000};
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QCOMPARE(progress(d), QString("下载失败, 服务器不支持断点续传!"));
    QCOMPARE(button(d), QString("确认"));
    QTest::qWait(200);
    QCOMPARE(server->ranged().size(), 3);
    // Nothing appended twice: the file holds the start of the server's file.
    QCOMPARE(read(path), server->content.left(400000));
}

void TestDownLoadDialog::otherStatusStops_data()
{
    QTest::addColumn<int>("probeStatus");
    QTest::addColumn<int>("rangeStatus");
    QTest::addColumn<int>("rangedRequests");
    QTest::addColumn<QString>("text");
    QTest::newRow("ranged 416") << 200 << 416 << 1 << "下载失败, 服务器应答状态: 416";
    QTest::newRow("ranged 500") << 200 << 500 << 1 << "下载失败, 服务器应答状态: 500";
    QTest::newRow("ranged 404") << 200 << 404 << 1 << "下载失败, 服务器应答状态: 404";
    QTest::newRow("probe 403") << 403 << 0 << 0 << "下载失败, 服务器应答状态: 403";
}

void TestDownLoadDialog::otherStatusStops()
{
    QFETCH(int, probeStatus);
    QFETCH(int, rangeStatus);
    QFETCH(int, rangedRequests);
    QFETCH(QString, text);
    server->content = randomBytes(5000, 4);
    server->probeStatus = probeStatus;
    server->rangeStatus = rangeStatus;
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), text);
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QVERIFY(button(d) != QString("取消"));
    QTest::qWait(200);
    QCOMPARE(server->ranged().size(), rangedRequests);
    QVERIFY(read(path).isEmpty());
}

void TestDownLoadDialog::requestsWithoutProgressStop()
{
    server->content = randomBytes(50000, 5);
    server->cuts = {1000, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载中断, 多次重试没有进展, 已停止下载!"));
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QCOMPARE(button(d), QString("确认"));
    QTest::qWait(200);
    // One request with progress, then a few without.
    QCOMPARE(server->ranged().size(), 1 + DownLoadDialog::maxStalledRequests);
    QCOMPARE(read(path), server->content.left(1000));
}

void TestDownLoadDialog::notFound_data()
{
    QTest::addColumn<QByteArray>("length");
    QTest::addColumn<int>("status");
    QTest::newRow("no Content-Length") << QByteArray() << 200;
    QTest::newRow("zero") << QByteArray("0") << 200;
    QTest::newRow("not a number") << QByteArray("12abc") << 200;
    QTest::newRow("negative") << QByteArray("-5") << 200;
    QTest::newRow("404 with a length") << QByteArray("9") << 404;
}

void TestDownLoadDialog::notFound()
{
    QFETCH(QByteArray, length);
    QFETCH(int, status);
    server->content = "123456789";
    server->headLength = length;
    server->headStatus = status;
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载文件没有发现, 可能没有上传成功或是已被删除! "));
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QTest::qWait(100);
    QCOMPARE(server->seen.size(), 1); // no file dialog, no probe
    QVERIFY(d && d->isVisible());
}

void TestDownLoadDialog::sizesBeyond32Bits()
{
    server->content = "small";
    server->headLength = "5000000000";
    server->rangeStatus = 503;
    choose(dir.filePath("report.final.pdf"));
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(server->ranged().value(0).range, QByteArray("bytes=0-5000000000"));
}

void TestDownLoadDialog::relativeRedirect()
{
    server->content = randomBytes(70000, 6);
    server->paths << "/files/moved.pdf";
    server->probeStatus = 302;
    server->probeLocation = "/files/moved.pdf";
    server->cuts = {20000};
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载完成! 文件大小: 68KB"));
    QVERIFY(read(path) == server->content);
    const QList<FileServer::Seen> ranged = server->ranged();
    QCOMPARE(ranged.size(), 2);
    for (const FileServer::Seen &s : ranged)
        QCOMPARE(s.path, QByteArray("/files/moved.pdf"));
}

void TestDownLoadDialog::existingFileMovedAside()
{
    server->content = randomBytes(40000, 7);
    const QString path = dir.filePath("report.final.pdf");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier file");
    }
    answerer->dialog("QFileDialog", [path](QWidget *w) {
        auto *fd = qobject_cast<QFileDialog *>(w);
        fd->setOption(QFileDialog::DontConfirmOverwrite); // the toolkit's own question is not ours to test
        fd->selectFile(path);
        static_cast<QDialog *>(fd)->accept();
    });
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QVERIFY(read(path) == server->content);
    const QStringList names = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(names.size(), 2);
    const QString backup = names.filter("-copy").value(0);
    QVERIFY2(QRegularExpression("^report-copy\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d\\.pdf$").match(backup).hasMatch(),
             qPrintable(backup));
    QCOMPARE(read(dir.filePath(backup)), QByteArray("earlier file"));
}

void TestDownLoadDialog::isUsedNames()
{
    DownLoadDialog *d = new DownLoadDialog;
    const QString plain = dir.filePath("noext");
    QFile f(plain);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!d->isUsed(plain));
    QVERIFY(!QFile::exists(plain));
    const QStringList names = QDir(dir.path()).entryList(QDir::Files);
    QVERIFY2(QRegularExpression("^noext-copy\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d\\.$").match(names.value(0)).hasMatch(),
             qPrintable(names.join(',')));
    QVERIFY(!d->isUsed(dir.filePath("absent.pdf")));
    QVERIFY(!d->isUsed(dir.path())); // a folder is not a file
    delete d;
}

void TestDownLoadDialog::unwritableFileStops()
{
    server->content = randomBytes(30000, 8);
    // A link into a folder that does not exist: nothing can be created there.
    const QString path = dir.filePath("report.final.pdf");
    QVERIFY(QFile::link(dir.filePath("no/such/folder/report.final.pdf"), path));
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("本地文件无法写入,不能保存!"));
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QCOMPARE(button(d), QString("确认"));
    QTest::qWait(200);
    QCOMPARE(server->ranged().size(), 1);
}

void TestDownLoadDialog::cancelFileChoiceCloses()
{
    server->content = randomBytes(1000, 9);
    answerer->dialog("QFileDialog", [](QWidget *w) { qobject_cast<QFileDialog *>(w)->reject(); });
    QPointer<DownLoadDialog> d = begin();
    QTRY_VERIFY(!d); // closed and gone
    QCOMPARE(server->seen.size(), 1);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestDownLoadDialog::closeWhileDownloadingDeletesPartial()
{
    server->content = randomBytes(2000000, 10);
    server->paceMs = 5;
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QTRY_VERIFY_WITH_TIMEOUT(d && progress(d).startsWith("下载中"), 10000);
    QCOMPARE(button(d), QString("取消"));
    QTest::mouseClick(d->findChild<QPushButton *>("pushButton"), Qt::LeftButton);
    QTRY_VERIFY(!d);
    QVERIFY(!QFile::exists(path));
    QTRY_VERIFY(server->ranged().value(0).clientLeft); // the transfer was called off
    const int seen = server->seen.size();
    QTest::qWait(100);
    QCOMPARE(server->seen.size(), seen);
}

void TestDownLoadDialog::closeDuringSizeQueryAbortsIt()
{
    server->content = randomBytes(1000, 11);
    server->headDelayMs = 300;
    QPointer<DownLoadDialog> d = begin();
    QTRY_COMPARE(server->seen.size(), 1);
    d->close();
    QTRY_VERIFY(!d);
    QTest::qWait(500); // the answer arrives to nobody: no file dialog, no probe
    QCOMPARE(server->seen.size(), 1);
}

void TestDownLoadDialog::closeDuringProbeAbortsIt()
{
    server->content = randomBytes(1000, 13);
    server->probeDelayMs = 5000;
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d;
    // The probe waits in the dialog's own loop: close it from there, as a user would.
    server->probeHeld = [&d] {
        QTimer::singleShot(0, [&d] {
            if (d)
                d->close();
        });
    };
    d = begin();
    QTRY_VERIFY(!d);
    QTest::qWait(500);
    QVERIFY(server->ranged().isEmpty()); // nothing followed the probe
    QVERIFY(!QFile::exists(path));
}

void TestDownLoadDialog::progressUnits()
{
    DownLoadDialog *d = new DownLoadDialog;
    auto *bar = d->findChild<QProgressBar *>();
    d->onDownloadProgress(1023, 1023);
    QCOMPARE(progress(d), QString("下载中..... 1023B/1023B"));
    QCOMPARE(progressStyle(d), QString("color:blue;"));
    d->onDownloadProgress(512, 1024);
    QCOMPARE(progress(d), QString("下载中..... 0KB/1KB"));
    QCOMPARE(bar->maximum(), 1024);
    QCOMPARE(bar->value(), 512);
    d->onDownloadProgress(1048575, 1048576);
    QCOMPARE(progress(d), QString("下载中..... 0MB/1MB"));
    d->onDownloadProgress(3000000000LL, 6000000000LL);
    QCOMPARE(progress(d), QString("下载中..... 2861MB/5722MB"));
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(qRound(100.0 * bar->value() / bar->maximum()), 50);
    delete d;
}

void TestDownLoadDialog::moreThanAnnouncedIsNotComplete_data()
{
    QTest::addColumn<bool>("honourRange");
    QTest::addColumn<int>("delivered");
    // The end of the range is the announced size itself, so a file that has
    // grown since the size query gives one byte more than announced.
    QTest::newRow("ranged answer") << true << 3001;
    QTest::newRow("whole file") << false << 5000;
}

void TestDownLoadDialog::moreThanAnnouncedIsNotComplete()
{
    QFETCH(bool, honourRange);
    QFETCH(int, delivered);
    server->content = randomBytes(5000, 14);
    server->headLength = "3000";
    server->honourRange = honourRange;
    const QString path = dir.filePath("report.final.pdf");
    choose(path);
    QPointer<DownLoadDialog> d = begin();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载失败, 收到的数据超过文件大小!"));
    QCOMPARE(progressStyle(d), QString("color:red;"));
    QCOMPARE(button(d), QString("确认"));
    // Everything that came was written; nothing more was asked for.
    QCOMPARE(read(path), server->content.left(delivered));
    QTest::qWait(200);
    QCOMPARE(server->ranged().size(), 1);
}

// The resident size of this process, in bytes.
static qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// An attachment in the real server's note folder, named as people name them.
static QString putAttachment(const ServerProcess &srv, const QString &name, const QByteArray &content)
{
    QDir(srv.dataDir()).mkpath("files/note");
    QFile f(QDir(srv.dataDir()).filePath("files/note/" + name));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return QString();
    return "http://127.0.0.1:8091/account/note/" + name;
}

void TestDownLoadDialog::realServerDownload()
{
    ServerProcess srv(false);
    QVERIFY(srv.start());
    const QString name = QStringLiteral("会议 纪要(1).final.pdf");
    const QByteArray content = randomBytes(2100000, 12);
    const QString address = putAttachment(srv, name, content);
    QVERIFY(!address.isEmpty());

    const QString path = dir.filePath(name);
    choose(path);
    QPointer<DownLoadDialog> d = new DownLoadDialog;
    QVERIFY(d->startDownload(address, name));
    d->show();
    QVERIFY(waitDone(d));
    QCOMPARE(progress(d), QString("下载完成! 文件大小: 2MB"));
    QVERIFY(read(path) == content);
    d->close();

    // A name the server does not hold.
    QPointer<DownLoadDialog> missing = new DownLoadDialog;
    QVERIFY(missing->startDownload("http://127.0.0.1:8091/account/note/nothing.pdf", "nothing.pdf"));
    missing->show();
    QVERIFY(waitDone(missing));
    QCOMPARE(progress(missing), QString("下载文件没有发现, 可能没有上传成功或是已被删除! "));
    missing->close();
}

void TestDownLoadDialog::realServerInterruptedDownloadEndsIdentical()
{
    ServerProcess srv(false);
    QVERIFY(srv.start());
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    const QString name = QStringLiteral("附件.tar.gz");
    const QByteArray content = randomBytes(1200000 + rng.bounded(50000), seed);
    QVERIFY(!putAttachment(srv, name, content).isEmpty());

    CuttingProxy proxy;
    QVERIFY(proxy.listen());
    for (int i = 0; i < 6; ++i)
        proxy.cuts << rng.bounded(250000);

    const QString path = dir.filePath(name);
    choose(path);
    QPointer<DownLoadDialog> d = new DownLoadDialog;
    QVERIFY(d->startDownload("http://127.0.0.1:8093/account/note/" + name, name));
    d->show();
    const QString context = QString("seed %1").arg(seed);
    QVERIFY2(waitDone(d), qPrintable(context));
    QVERIFY2(progress(d).startsWith("下载完成"), qPrintable(context + ": " + progress(d)));
    QVERIFY2(read(path) == content, qPrintable(context));
    QCOMPARE(proxy.cutsDone, 6);
    QVERIFY(proxy.ranges.size() >= 7);
    QCOMPARE(proxy.ranges.first(), "bytes=0-" + QByteArray::number(content.size()));
    d->close();
}

void TestDownLoadDialog::realServerSendsNoFasterThanTheProgramReads()
{
    ServerProcess srv(false);
    QVERIFY(srv.start());
    const qint64 size = 32 * 1024 * 1024;
    QByteArray content(size, Qt::Uninitialized);
    QRandomGenerator(15).fillRange(reinterpret_cast<quint32 *>(content.data()), size / 4);
    const QString name = QStringLiteral("large.bin");
    const QString address = putAttachment(srv, name, content);
    QVERIFY(!address.isEmpty());
    const QByteArray expected = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    content.clear();

    const QString path = dir.filePath(name);
    choose(path);
    QPointer<DownLoadDialog> d = new DownLoadDialog;
    QVERIFY(d->startDownload(address, name));
    d->show();
    // As soon as the first bytes are in, the program is busy for a while (a
    // slow disk, a long repaint): the server keeps sending meanwhile.
    qint64 growth = -1;
    QTimer busy;
    busy.setInterval(0);
    connect(&busy, &QTimer::timeout, this, [&] {
        if (!d || !progress(d).startsWith("下载中"))
            return;
        busy.stop();
        const qint64 before = residentBytes();
        QThread::msleep(1000);
        growth = residentBytes() - before;
    });
    busy.start();
    QVERIFY(waitDone(d, 60000));
    QCOMPARE(progress(d), QString("下载完成! 文件大小: 32MB"));
    QVERIFY(growth >= 0);
    // What waited unread stayed within the reply's buffer (plus what is in flight).
    QVERIFY2(growth < 3 * DownLoadDialog::readBufferBytes, qPrintable(QString::number(growth)));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QVERIFY(hash.addData(&file));
    QCOMPARE(hash.result(), expected);
    d->close();
}

QTEST_MAIN(TestDownLoadDialog)
#include "tst_downloaddialog.moc"
