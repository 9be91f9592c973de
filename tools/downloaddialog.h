#ifndef DOWNLOADDIALOG_H
#define DOWNLOADDIALOG_H

#include <QDialog>
#include <QFile>
#include <QNetworkReply>
#include <QString>
#include <QUrl>

class QCloseEvent;
class QNetworkAccessManager;
class QWidget;

QT_BEGIN_NAMESPACE
namespace Ui {
class DownLoadDialog;
}
QT_END_NAMESPACE

// Fetches one note attachment from the server's file area into a local file
// that the user chooses, in byte ranges, so that a broken transfer goes on
// from the bytes already on disk. The dialog deletes itself when closed.
class DownLoadDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DownLoadDialog(QWidget *parent = nullptr);
    ~DownLoadDialog() override;

    bool startDownload(const QString &url, const QString &name);
    QString saveas(QString &name);
    bool isUsed(QString path);
    void onDownloadProgress(long long received, long long total);
    void stopDownLoad();
    void getCurrentFileSize();
    void addAddress(QString address);

    // Consecutive ranged requests that may end without a new byte before the
    // download gives up.
    static constexpr int maxStalledRequests = 3;
    // The most that a ranged reply holds unread before the transfer waits.
    static constexpr qint64 readBufferBytes = 4 * 1024 * 1024;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onFinishedRequest();
    void onReadyRead();
    void onError(QNetworkReply::NetworkError error);
    void on_pushButton_clicked();
    void onRangeAnswer();

private:
    void onSizeAnswer();
    void onRangeEnded();
    void checkAnswer();
    void startRangeRequest();
    void fail(const QString &message);
    qint64 localFileSize();
    bool restartFile();
    static QString sizeText(qint64 value, qint64 unitFrom);

    QNetworkAccessManager *manager;
    QNetworkReply *reply;
    qint64 m_fileSize;
    int statusCode;
    qint64 resumeOffset;
    QString suggestedName;
    QString localPath;
    QString address;
    bool sizeKnown;
    bool downloading;
    QFile file;
    Ui::DownLoadDialog *ui;

    QUrl target;               // where every ranged request goes
    bool answerAccepted;       // the current ranged answer may be written
    bool restarted;            // the file was started afresh once already
    int stalledRequests;       // ranged requests in a row that brought nothing
    qint64 sizeAtRequest;      // file size when the current ranged request went out
    bool closed;               // the dialog was closed; pending answers are void
    bool inAnswer;             // inside the ranged reply's header signal
};

#endif // DOWNLOADDIALOG_H
