#ifndef MUSICPLAYDIALOG_H
#define MUSICPLAYDIALOG_H

#include <QDialog>
#include <QMediaPlayer>
#include <QString>

class QAudioOutput;
class QCloseEvent;

QT_BEGIN_NAMESPACE
namespace Ui {
class MusicPlayDialog;
}
QT_END_NAMESPACE

// Player of a note's voice clip, streamed from its server file address.
// Cheap to build: the media stack starts with the first clip played.
class MusicPlayDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MusicPlayDialog(QWidget *parent = nullptr);
    ~MusicPlayDialog() override;

protected:
    void closeEvent(QCloseEvent *event) override;

public slots:
    void receiveWebPath(QString &webPath);

private slots:
    void on_horizontalSlider_music_sliderMoved(int position);
    void on_horizontalSlider_voice_sliderMoved(int position);
    void on_pushButton_play_clicked();
    void on_pushButton_quit_clicked();
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);
    void positionChanged(qint64 position);

private:
    // The player, made with its audio output when a clip is first played.
    QMediaPlayer *mediaPlayer();

    Ui::MusicPlayDialog *ui;
    QMediaPlayer *player = nullptr;
    QAudioOutput *audioOutput = nullptr;
    bool playing = false;
};

#endif // MUSICPLAYDIALOG_H
