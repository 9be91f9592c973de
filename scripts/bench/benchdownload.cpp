// Downloads one file with the client's downloader, as a person would: the
// save dialog is answered with the target path. Prints the time from the
// start to "下载完成" and the throughput; exits 1 when the download fails.
//   bench-download <address> <target path>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>

#include <cstdio>

#include "downloaddialog.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-download <address> <target path>\n");
        return 2;
    }
    const QString address = QString::fromLocal8Bit(argv[1]);
    const QString path = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();

    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&answer, path] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            answer.stop();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        }
    });
    answer.start(5);

    QElapsedTimer clock;
    clock.start();
    auto *download = new DownLoadDialog;
    if (!download->startDownload(address, QFileInfo(path).fileName()))
        return 1;
    download->show();
    const QLabel *status = download->findChild<QLabel *>(QStringLiteral("label_progress"));
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (status->text().startsWith(QStringLiteral("下载完成"))) {
            const double seconds = double(clock.nsecsElapsed()) / 1e9;
            const double mib = double(QFileInfo(path).size()) / (1024.0 * 1024.0);
            std::printf("%.3f s %.1f MiB/s\n", seconds, mib / seconds);
            QCoreApplication::exit(0);
        } else if (status->styleSheet() == QStringLiteral("color:red;")) {
            std::fprintf(stderr, "%s\n", qPrintable(status->text()));
            QCoreApplication::exit(1);
        }
    });
    watch.start(5);
    return app.exec();
}
