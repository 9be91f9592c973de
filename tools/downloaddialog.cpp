#include "downloaddialog.h"
#include "ui_downloaddialog.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>

#include <limits>

namespace {

const char *const notFoundText = "下载文件没有发现, 可能没有上传成功或是已被删除! ";
const char *const redStyle = "color:red;";

QString statusFailure(int status)
{
    if (status == 0)
        return QStringLiteral("下载失败, 无法连接服务器!");
    return QStringLiteral("下载失败, 服务器应答状态: %1").arg(status);
}

} // namespace

DownLoadDialog::DownLoadDialog(QWidget *parent)
    : QDialog(parent),
      manager(nullptr),
      reply(nullptr),
      m_fileSize(0),
      statusCode(0),
      resumeOffset(0),
      sizeKnown(false),
      downloading(false),
      ui(new Ui::DownLoadDialog),
      answerAccepted(false),
      restarted(false),
      stalledRequests(0),
      sizeAtRequest(0),
      closed(false),
      inAnswer(false)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    manager = new QNetworkAccessManager();
    ui->progressBar->reset();
}

DownLoadDialog::~DownLoadDialog()
{
    if (reply) {
        reply->disconnect(this);
        reply->abort();
    }
    file.close();
    delete manager; // takes its replies along
    delete ui;
}

bool DownLoadDialog::startDownload(const QString &url, const QString &name)
{
    address = url;
    if (address.isEmpty())
        return false;
    suggestedName = name;
    if (suggestedName.isEmpty())
        return false;
    if (downloading)
        return true;

    QNetworkRequest request(QUrl(address, QUrl::TolerantMode));
    reply = manager->head(request);
    sizeKnown = false;
    resumeOffset = localFileSize();
    connect(reply, SIGNAL(finished()), this, SLOT(onFinishedRequest()));
    return true;
}

void DownLoadDialog::onFinishedRequest()
{
    if (!reply)
        return;
    // An answer to a request that was superseded in the meantime.
    auto *finished = qobject_cast<QNetworkReply *>(sender());
    if (finished && finished != reply) {
        finished->disconnect(this);
        finished->deleteLater();
        return;
    }
    if (!sizeKnown)
        onSizeAnswer();
    else
        onRangeEnded();
}

// The size query's answer: ask for the file, probe the address, then download.
void DownLoadDialog::onSizeAnswer()
{
    QNetworkReply *head = reply;
    reply = nullptr;
    qint64 size = 0;
    if (head->error() == QNetworkReply::NoError) {
        bool ok = false;
        size = head->rawHeader("Content-Length").trimmed().toLongLong(&ok);
        if (!ok || size < 0)
            size = 0;
    }
    head->deleteLater();
    m_fileSize = size;
    qDebug() << "m_fileSize = " << m_fileSize;
    if (m_fileSize == 0) {
        ui->label_progress->setText(QString::fromUtf8(notFoundText));
        ui->label_progress->setStyleSheet(QString::fromLatin1(redStyle));
        return;
    }

    QPointer<DownLoadDialog> self(this);
    localPath = saveas(suggestedName);
    if (!self || closed)
        return;
    if (localPath.isEmpty()) {
        close();
        return;
    }
    const QFileInfo chosen(localPath);
    if (chosen.exists() && chosen.isFile() && isUsed(localPath)) {
        ui->label_progress->setText(QStringLiteral("本地文件正在使用,不能保存!"));
        ui->label_progress->setStyleSheet(QString::fromLatin1(redStyle));
        return;
    }
    ui->label_location_address->setText(localPath);

    // Status probe: a plain GET whose status (and redirect target) is all we
    // need; it is cut off once its headers are in, so the body never piles up.
    QNetworkRequest request(QUrl(address, QUrl::TolerantMode));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *probe = manager->get(request);
    reply = probe;
    int probeStatus = 0;
    QUrl redirect;
    connect(probe, &QNetworkReply::metaDataChanged, this, [probe, &probeStatus, &redirect] {
        probeStatus = probe->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        redirect = probe->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        QMetaObject::invokeMethod(probe, &QNetworkReply::abort, Qt::QueuedConnection);
    });
    QPointer<QNetworkReply> probeAlive(probe);
    QEventLoop loop;
    connect(probe, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    // Closing the dialog (or a stop) meanwhile has called the probe off and released it.
    if (!self || closed || !probeAlive || reply != probe)
        return;
    reply = nullptr;
    probe->disconnect(this);
    probe->deleteLater();
    if (probeStatus == 0)
        probeStatus = probe->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    statusCode = probeStatus;
    qDebug() << "statusCode=" << statusCode;
    sizeKnown = true;

    if (statusCode == 200) {
        target = QUrl(address, QUrl::TolerantMode);
    } else if (statusCode == 301 || statusCode == 302) {
        // A relative Location is read against the address it came from.
        target = QUrl(address, QUrl::TolerantMode).resolved(redirect);
    } else {
        fail(statusFailure(statusCode));
        return;
    }
    restarted = false;
    stalledRequests = 0;
    startRangeRequest();
}

qint64 DownLoadDialog::localFileSize()
{
    // The open file's size counts what is still in its write buffer.
    if (file.isOpen())
        return file.size();
    const QFileInfo info(localPath);
    return info.exists() ? info.size() : 0;
}

void DownLoadDialog::startRangeRequest()
{
    resumeOffset = localFileSize();
    sizeAtRequest = resumeOffset;
    answerAccepted = false;

    QNetworkRequest request(target);
    request.setRawHeader("Range", QStringLiteral("bytes=%1-%2").arg(resumeOffset).arg(m_fileSize).toLatin1());
    reply = manager->get(request);
    // A slow disk or a busy program slows the sender down instead of piling
    // the file up in memory.
    reply->setReadBufferSize(readBufferBytes);
    connect(reply, SIGNAL(finished()), this, SLOT(onFinishedRequest()));
    connect(reply, SIGNAL(readyRead()), this, SLOT(onReadyRead()));
    connect(reply, SIGNAL(errorOccurred(QNetworkReply::NetworkError)), this,
            SLOT(onError(QNetworkReply::NetworkError)));
    connect(reply, SIGNAL(metaDataChanged()), this, SLOT(onRangeAnswer()));
    downloading = true;
    ui->pushButton->setText(QStringLiteral("取消"));
}

// Starts the local file afresh; allowed once per download.
bool DownLoadDialog::restartFile()
{
    if (restarted) {
        fail(QStringLiteral("下载失败, 服务器不支持断点续传!"));
        return false;
    }
    restarted = true;
    const bool emptied = file.isOpen() ? file.resize(0) : (!QFile::exists(localPath) || QFile::resize(localPath, 0));
    if (!emptied) {
        fail(QStringLiteral("本地文件无法写入,不能保存!"));
        return false;
    }
    resumeOffset = 0;
    sizeAtRequest = 0;
    return true;
}

// The status of a ranged answer decides whether its body may be written.
void DownLoadDialog::onRangeAnswer()
{
    if (!reply || sender() != reply || answerAccepted)
        return;
    // A reply is not to be aborted from inside its own header signal.
    inAnswer = true;
    checkAnswer();
    inAnswer = false;
}

void DownLoadDialog::checkAnswer()
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 206) {
        // The part must start where the file ends.
        static const QRegularExpression range(QStringLiteral("^bytes\\s+(\\d+)-"));
        const QRegularExpressionMatch m = range.match(QString::fromLatin1(reply->rawHeader("Content-Range")));
        if (m.hasMatch() && m.captured(1).toLongLong() != resumeOffset) {
            fail(QStringLiteral("下载失败, 服务器返回的数据位置不符!"));
            return;
        }
        answerAccepted = true;
    } else if (status == 200) {
        // The whole file: good from the start only.
        if (resumeOffset != 0 && !restartFile())
            return;
        answerAccepted = true;
    } else {
        fail(statusFailure(status));
    }
}

void DownLoadDialog::onReadyRead()
{
    if (!reply)
        return;
    if (!answerAccepted) {
        reply->readAll();
        return;
    }
    if (!file.isOpen()) {
        file.setFileName(localPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            fail(QStringLiteral("本地文件无法写入,不能保存!"));
            return;
        }
    }
    const QByteArray data = reply->readAll();
    if (file.write(data) != data.size()) {
        fail(QStringLiteral("本地文件无法写入,不能保存!"));
        return;
    }
    const qint64 received = file.size();
    onDownloadProgress(received, m_fileSize);
    if (received > m_fileSize) {
        // The server sends more than it announced (the file changed meanwhile):
        // what came is kept, but it is not the announced file.
        fail(QStringLiteral("下载失败, 收到的数据超过文件大小!"));
        return;
    }
    if (received == m_fileSize) {
        qDebug() << "download finished!";
        ui->label_progress->setText(QStringLiteral("下载完成! 文件大小: ") + sizeText(received, received));
        stopDownLoad();
    }
}

// A ranged answer ended before the file was complete: ask again from the
// bytes on disk, unless the last few requests brought nothing.
void DownLoadDialog::onRangeEnded()
{
    QNetworkReply *ended = reply;
    if (ended->bytesAvailable() > 0)
        onReadyRead();
    if (reply != ended)
        return; // completed or stopped while draining
    ended->disconnect(this);
    ended->deleteLater();
    reply = nullptr;

    const qint64 now = localFileSize();
    if (now > sizeAtRequest)
        stalledRequests = 0;
    else if (++stalledRequests >= maxStalledRequests) {
        fail(QStringLiteral("下载中断, 多次重试没有进展, 已停止下载!"));
        return;
    }
    startRangeRequest();
}

// Ends the download with a red status line, also between two ranged requests.
void DownLoadDialog::fail(const QString &message)
{
    if (reply) {
        stopDownLoad();
    } else if (downloading) {
        file.close();
        resumeOffset = localFileSize();
        downloading = false;
        ui->pushButton->setText(QStringLiteral("确认"));
    }
    ui->label_progress->setText(message);
    ui->label_progress->setStyleSheet(QString::fromLatin1(redStyle));
}

void DownLoadDialog::onError(QNetworkReply::NetworkError error)
{
    Q_UNUSED(error)
    auto *r = qobject_cast<QNetworkReply *>(sender());
    qDebug() << "error:" << (r ? r->errorString() : QString());
}

QString DownLoadDialog::sizeText(qint64 value, qint64 unitFrom)
{
    if (unitFrom <= 1023)
        return QString::number(value) + QStringLiteral("B");
    if (unitFrom <= 1048575)
        return QString::number(value / 1024) + QStringLiteral("KB");
    return QString::number(value / 1048576) + QStringLiteral("MB");
}

void DownLoadDialog::onDownloadProgress(long long received, long long total)
{
    ui->label_progress->setStyleSheet(QStringLiteral("color:blue;"));
    ui->label_progress->setText(QStringLiteral("下载中..... ") + sizeText(received, total) + QStringLiteral("/")
                                + sizeText(total, total));
    // The bar counts in ints: scale sizes beyond that range down together.
    while (total > std::numeric_limits<int>::max()) {
        total /= 1024;
        received /= 1024;
    }
    ui->progressBar->setMaximum(int(total));
    ui->progressBar->setValue(int(received));
}

void DownLoadDialog::stopDownLoad()
{
    if (!reply)
        return;
    QNetworkReply *r = reply;
    reply = nullptr;
    disconnect(r, SIGNAL(readyRead()), this, SLOT(onReadyRead()));
    disconnect(r, SIGNAL(errorOccurred(QNetworkReply::NetworkError)), this,
               SLOT(onError(QNetworkReply::NetworkError)));
    disconnect(r, SIGNAL(finished()), this, SLOT(onFinishedRequest()));
    disconnect(r, SIGNAL(metaDataChanged()), this, SLOT(onRangeAnswer()));
    if (inAnswer)
        QMetaObject::invokeMethod(r, &QNetworkReply::abort, Qt::QueuedConnection);
    else
        r->abort();
    r->deleteLater();
    file.close();
    resumeOffset = localFileSize();
    downloading = false;
    ui->pushButton->setText(QStringLiteral("确认"));
}

QString DownLoadDialog::saveas(QString &name)
{
    const QString filter = QStringLiteral("All(*.") + QFileInfo(name).suffix() + QStringLiteral(")");
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + QDir::separator() + name;
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("保存附件为"), start, filter);
}

bool DownLoadDialog::isUsed(QString path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return false;
    const QString backup = info.absolutePath() + QStringLiteral("/") + info.baseName() + QStringLiteral("-copy")
                           + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-hh-mm-ss"))
                           + QStringLiteral(".") + info.suffix();
    return !QFile::rename(path, backup);
}

void DownLoadDialog::getCurrentFileSize()
{
    resumeOffset = localFileSize();
}

void DownLoadDialog::addAddress(QString address)
{
    ui->label_location_address->setText(address);
}

void DownLoadDialog::on_pushButton_clicked()
{
    close();
}

void DownLoadDialog::closeEvent(QCloseEvent *event)
{
    if (downloading) {
        stopDownLoad();
        const QFileInfo partial(localPath);
        if (partial.exists() && partial.isFile())
            QDir(partial.absolutePath()).remove(partial.fileName());
    } else if (reply) {
        // The size query or the status probe is still out: call it off.
        QNetworkReply *pending = reply;
        reply = nullptr;
        pending->disconnect(this);
        pending->abort();
        pending->deleteLater();
    }
    closed = true;
    event->accept();
}
