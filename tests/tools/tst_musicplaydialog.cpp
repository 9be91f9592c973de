// The voice clip player against clips streamed from a scripted server on
// loopback. There is no sound device here: the player still reads, times and
// ends the clips, and the tests follow it through its widgets.
#include <QAudioOutput>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtEndian>
#include <QtTest>

#include "httpstub.h"
#include "musicplaydialog.h"

namespace {

// A silent mono 8-bit PCM wave file of the given length.
QByteArray silentWave(int milliseconds, int rate = 8000)
{
    const quint32 samples = quint32(qint64(rate) * milliseconds / 1000);
    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav += "RIFF";
    u32(36 + samples);
    wav += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(quint32(rate));
    u32(quint32(rate)); // bytes per second
    u16(1);             // block align
    u16(8);             // bits per sample
    wav += "data";
    u32(samples);
    wav.append(QByteArray(int(samples), char(0x80)));
    return wav;
}

// Serves files by path, honouring "Range: bytes=N-" as a streaming client asks.
StubResponse serveFile(const StubRequest &request, const QHash<QByteArray, QByteArray> &files)
{
    if (!files.contains(request.path))
        return StubResponse::raw(404, "missing");
    const QByteArray &data = files.value(request.path);
    StubResponse r;
    r.contentType = "audio/x-wav";
    r.headers.append(qMakePair(QByteArray("Accept-Ranges"), QByteArray("bytes")));
    const QByteArray range = request.header("range");
    if (range.startsWith("bytes=")) {
        const qsizetype from = range.mid(6, range.indexOf('-') - 6).toLongLong();
        r.status = 206;
        r.headers.append(qMakePair(QByteArray("Content-Range"), "bytes " + QByteArray::number(from) + '-'
                                               + QByteArray::number(data.size() - 1) + '/'
                                               + QByteArray::number(data.size())));
        r.body = data.mid(from);
    } else {
        r.body = data;
    }
    if (request.method == "HEAD")
        r.body.clear();
    return r;
}

} // namespace

class TestMusicPlayDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void builtAsTheForm();
    void timesFromTheStreamedClip();
    void playPauseResumeAndSeek();
    void endOfClipAndPlayAgain();
    void closeStopsAndNextClipPlays();
    void unplayableAddress();

private:
    static QString address(const char *name)
    {
        return QStringLiteral("http://127.0.0.1:8091/account/note/") + QLatin1String(name);
    }
    static QLabel *label(MusicPlayDialog &d, const char *name) { return d.findChild<QLabel *>(QLatin1String(name)); }
    static QPushButton *button(MusicPlayDialog &d, const char *name)
    {
        return d.findChild<QPushButton *>(QLatin1String(name));
    }
    static QSlider *slider(MusicPlayDialog &d, const char *name) { return d.findChild<QSlider *>(QLatin1String(name)); }
    // Drags a slider's handle to a value, as the user's mouse does.
    static void drag(QSlider *s, int value)
    {
        s->setSliderDown(true);
        s->setSliderPosition(value);
        s->setSliderDown(false);
    }

    HttpStub stub;
    QHash<QByteArray, QByteArray> files;
};

void TestMusicPlayDialog::initTestCase()
{
    files.insert("/account/note/five20.wav", silentWave(320000, 1000));
    files.insert("/account/note/hour.wav", silentWave(3665000, 100));
    files.insert("/account/note/short.wav", silentWave(600));
    stub.setHandler([this](const StubRequest &r) { return serveFile(r, files); });
    QVERIFY(stub.listen(8091));
}

void TestMusicPlayDialog::builtAsTheForm()
{
    MusicPlayDialog d;
    QCOMPARE(label(d, "label_left")->text(), QStringLiteral("00:00"));
    QCOMPARE(label(d, "label_right")->text(), QStringLiteral("05:20"));
    QCOMPARE(button(d, "pushButton_play")->text(), QStringLiteral("播放"));
    QSlider *voice = slider(d, "horizontalSlider_voice");
    QCOMPARE(voice->value(), 50);
    // Nothing of the media stack before a clip is played.
    QVERIFY(!d.findChild<QMediaPlayer *>());
    QVERIFY(!d.findChild<QAudioOutput *>());
    QString path = address("short.wav");
    d.receiveWebPath(path);
    auto *player = d.findChild<QMediaPlayer *>();
    auto *output = d.findChild<QAudioOutput *>();
    QVERIFY(player && output);
    QCOMPARE(player->audioOutput(), output);
    QCOMPARE(output->volume(), 0.5f);

    drag(voice, 0);
    QCOMPARE(output->volume(), 0.0f);
    drag(voice, 100);
    QCOMPARE(output->volume(), 1.0f);
    drag(voice, 37);
    QCOMPARE(output->volume(), 0.37f);
    d.close();

    // The volume chosen before the first clip is the one it plays at.
    MusicPlayDialog fresh;
    drag(slider(fresh, "horizontalSlider_voice"), 20);
    fresh.receiveWebPath(path);
    QCOMPARE(fresh.findChild<QAudioOutput *>()->volume(), 0.2f);
    fresh.close();
}

void TestMusicPlayDialog::timesFromTheStreamedClip()
{
    MusicPlayDialog d;
    d.open();
    QString path = address("five20.wav");
    d.receiveWebPath(path);
    QCOMPARE(button(d, "pushButton_play")->text(), QStringLiteral("暂停"));
    QTRY_COMPARE_WITH_TIMEOUT(slider(d, "horizontalSlider_music")->maximum(), 320000, 5000);
    QCOMPARE(label(d, "label_right")->text(), QStringLiteral("05:20"));
    QTRY_VERIFY(slider(d, "horizontalSlider_music")->value() > 0);
    QCOMPARE(stub.requests.last().path, QByteArray("/account/note/five20.wav"));

    // A position past the hour shows its minutes within the hour.
    button(d, "pushButton_play")->click();
    QMetaObject::invokeMethod(&d, "positionChanged", Q_ARG(qint64, (61 * 60 + 5) * 1000 + 999));
    QCOMPARE(label(d, "label_left")->text(), QStringLiteral("01:05"));

    // So does a clip longer than an hour, delivered twice in a row.
    path = address("hour.wav");
    d.receiveWebPath(path);
    d.receiveWebPath(path);
    QCOMPARE(button(d, "pushButton_play")->text(), QStringLiteral("暂停"));
    QTRY_COMPARE_WITH_TIMEOUT(slider(d, "horizontalSlider_music")->maximum(), 3665000, 5000);
    QCOMPARE(label(d, "label_right")->text(), QStringLiteral("01:05"));
    QCOMPARE(d.findChild<QMediaPlayer *>()->playbackState(), QMediaPlayer::PlayingState);
}

void TestMusicPlayDialog::playPauseResumeAndSeek()
{
    MusicPlayDialog d;
    d.open();
    QPushButton *play = button(d, "pushButton_play");
    QString path = address("five20.wav");
    d.receiveWebPath(path);
    auto *player = d.findChild<QMediaPlayer *>();
    QTRY_VERIFY_WITH_TIMEOUT(player->position() > 200, 5000);

    play->click();
    QCOMPARE(play->text(), QStringLiteral("播放"));
    QTRY_COMPARE(player->playbackState(), QMediaPlayer::PausedState);
    const qint64 pausedAt = player->position();
    QTest::qWait(300);
    QVERIFY(qAbs(player->position() - pausedAt) < 50);

    play->click();
    QCOMPARE(play->text(), QStringLiteral("暂停"));
    QTRY_COMPARE(player->playbackState(), QMediaPlayer::PlayingState);
    QTRY_VERIFY(player->position() > pausedAt + 100);
    QVERIFY2(player->position() < pausedAt + 2000, qPrintable(QString::number(player->position() - pausedAt)));

    // Dragging the position slider seeks and shows the new time at once.
    QSlider *music = slider(d, "horizontalSlider_music");
    drag(music, 200000);
    QCOMPARE(label(d, "label_left")->text(), QStringLiteral("03:20"));
    QTRY_VERIFY_WITH_TIMEOUT(player->position() >= 200000, 5000);
    QVERIFY(player->position() < 203000);
    QTRY_VERIFY(music->value() >= 200000);
}

void TestMusicPlayDialog::endOfClipAndPlayAgain()
{
    MusicPlayDialog d;
    d.open();
    QPushButton *play = button(d, "pushButton_play");
    QString path = address("short.wav");
    d.receiveWebPath(path);
    auto *player = d.findChild<QMediaPlayer *>();
    QTRY_COMPARE_WITH_TIMEOUT(player->mediaStatus(), QMediaPlayer::EndOfMedia, 5000);
    QCOMPARE(play->text(), QStringLiteral("播放"));

    QSignalSpy statuses(player, &QMediaPlayer::mediaStatusChanged);
    QSignalSpy positions(player, &QMediaPlayer::positionChanged);
    play->click();
    QCOMPARE(play->text(), QStringLiteral("暂停"));
    QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, 5000);
    auto ended = [&statuses] {
        for (const QList<QVariant> &args : statuses)
            if (args.at(0).value<QMediaPlayer::MediaStatus>() == QMediaPlayer::EndOfMedia)
                return true;
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ended(), 5000);
    QCOMPARE(play->text(), QStringLiteral("播放"));
    // It was played from the start again, not just ended at once.
    QVERIFY(positions.size() > 2);
    QVERIFY(positions.first().at(0).toLongLong() < 300);
}

void TestMusicPlayDialog::closeStopsAndNextClipPlays()
{
    MusicPlayDialog d;
    d.open();
    QString path = address("five20.wav");
    d.receiveWebPath(path);
    auto *player = d.findChild<QMediaPlayer *>();
    QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, 5000);

    button(d, "pushButton_quit")->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(button(d, "pushButton_play")->text(), QStringLiteral("暂停"));

    path = address("short.wav");
    d.receiveWebPath(path);
    d.open();
    QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(slider(d, "horizontalSlider_music")->maximum(), 600, 5000);
}

void TestMusicPlayDialog::unplayableAddress()
{
    MusicPlayDialog d;
    d.open();
    QString path = address("missing.wav");
    d.receiveWebPath(path);
    auto *player = d.findChild<QMediaPlayer *>();
    QSignalSpy errors(player, &QMediaPlayer::errorOccurred);
    QTRY_VERIFY_WITH_TIMEOUT(!errors.isEmpty(), 5000);
    QCOMPARE(button(d, "pushButton_play")->text(), QStringLiteral("暂停"));
    QCOMPARE(label(d, "label_left")->text(), QStringLiteral("00:00"));
    QCOMPARE(label(d, "label_right")->text(), QStringLiteral("05:20"));

    // The same player still plays what comes next.
    path = address("short.wav");
    d.receiveWebPath(path);
    QTRY_COMPARE_WITH_TIMEOUT(player->mediaStatus(), QMediaPlayer::EndOfMedia, 5000);
}

QTEST_MAIN(TestMusicPlayDialog)
#include "tst_musicplaydialog.moc"
