#include "musicplaydialog.h"
#include "ui_musicplaydialog.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <QTime>
#include <QUrl>

namespace {

// "mm:ss" of a time in milliseconds; hours are dropped.
QString minutesSeconds(qint64 milliseconds)
{
    return QTime(0, 0).addMSecs(milliseconds).toString(QStringLiteral("mm:ss"));
}

} // namespace

MusicPlayDialog::MusicPlayDialog(QWidget *parent) : QDialog(parent), ui(new Ui::MusicPlayDialog)
{
    ui->setupUi(this);
    ui->horizontalSlider_voice->setRange(0, 100);
    ui->horizontalSlider_voice->setValue(50);
}

MusicPlayDialog::~MusicPlayDialog()
{
    delete ui;
}

QMediaPlayer *MusicPlayDialog::mediaPlayer()
{
    // The media stack (decoders, the sound system) is started by the first
    // clip, not with the dialog: the notes window builds its player before
    // the log-in, and a missing or hanging sound system must not hold that up.
    if (!player) {
        player = new QMediaPlayer(this);
        audioOutput = new QAudioOutput(this);
        player->setAudioOutput(audioOutput);
        connect(player, SIGNAL(mediaStatusChanged(QMediaPlayer::MediaStatus)), this,
                SLOT(mediaStatusChanged(QMediaPlayer::MediaStatus)));
        connect(player, SIGNAL(positionChanged(qint64)), this, SLOT(positionChanged(qint64)));
        audioOutput->setVolume(float(ui->horizontalSlider_voice->value()) / 100.0f);
    }
    return player;
}

void MusicPlayDialog::receiveWebPath(QString &webPath)
{
    playing = true;
    ui->pushButton_play->setText(QStringLiteral("暂停"));
    mediaPlayer()->setSource(QUrl(webPath, QUrl::TolerantMode));
    player->play();
}

void MusicPlayDialog::on_horizontalSlider_music_sliderMoved(int position)
{
    if (player)
        player->setPosition(position);
    ui->label_left->setText(minutesSeconds(position));
}

void MusicPlayDialog::on_horizontalSlider_voice_sliderMoved(int position)
{
    if (audioOutput)
        audioOutput->setVolume(float(position) / 100.0f);
}

void MusicPlayDialog::on_pushButton_play_clicked()
{
    if (playing) {
        mediaPlayer()->pause();
        ui->pushButton_play->setText(QStringLiteral("播放"));
    } else {
        mediaPlayer()->play();
        ui->pushButton_play->setText(QStringLiteral("暂停"));
    }
    playing = !playing;
}

void MusicPlayDialog::on_pushButton_quit_clicked()
{
    close();
}

void MusicPlayDialog::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (status != QMediaPlayer::EndOfMedia)
        return;
    ui->pushButton_play->setText(QStringLiteral("播放"));
    playing = false;
}

void MusicPlayDialog::positionChanged(qint64 position)
{
    const qint64 duration = player->duration();
    ui->horizontalSlider_music->setMaximum(int(duration));
    ui->horizontalSlider_music->setValue(int(position));
    ui->label_left->setText(minutesSeconds(position));
    ui->label_right->setText(minutesSeconds(duration));
}

void MusicPlayDialog::closeEvent(QCloseEvent *event)
{
    if (player)
        player->stop();
    event->accept();
}
