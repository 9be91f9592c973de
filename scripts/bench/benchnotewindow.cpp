// Benchmark of the notes window against a running server on the client's
// address (scripts/bench-notes.sh prepares the server and its data). Prints
// figures; it is not a test.
//
//   bench-note-window thumbnails OWNER PAGES TURNS
//       PAGES page presses of 30 notes with pictures, each timed from the
//       press to the last row filled, beside the sum of the same requests
//       made one by one with curl; then the resident size over TURNS turns.
//   bench-note-window pictures FOLDER COUNT
//       writes COUNT photo-like 640 x 480 JPEG pictures into FOLDER, named as
//       the client names uploads.
//   bench-note-window pageturn OWNER TURNS
//       page turns of 30 notes without files; the time of a turn beside the
//       time of its list request made alone with curl (the server's and the
//       network's), and their difference (the client's); then the time the
//       window takes after each turn to paint the page and finish what the
//       turn left to the event loop.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QPainter>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QJsonDocument>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>

#include "domainui.h"
#include "domainuser.h"
#include "notewindow.h"
#include "property.h"

namespace {

const int kPageSize = 30;

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

// CPU time of this process (all its threads) in ms.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double residentMegabytes()
{
    long size = 0, resident = 0;
    FILE *statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    const int read = std::fscanf(statm, "%ld %ld", &size, &resident);
    std::fclose(statm);
    return read == 2 ? double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

QString condition(const QString &owner)
{
    return QStringLiteral(" and loginName ='%1' and isShow ='展示'").arg(owner);
}

QJsonObject listRequest(const QString &owner, int page)
{
    return QJsonObject{{"conditionStr", condition(owner)}, {"curPage", page}, {"order", "desc"}, {"pageSize", kPageSize}};
}

// One request made alone by curl: its body, and curl's own total time in ms.
QByteArray curl(const QStringList &args, double *ms)
{
    QProcess process;
    process.start(QStringLiteral("curl"), QStringList{"-s", "-w", "\n%{time_total}"} + args);
    process.waitForFinished(30000);
    QByteArray out = process.readAllStandardOutput();
    const int cut = out.lastIndexOf('\n');
    *ms += out.mid(cut + 1).toDouble() * 1000.0;
    return out.left(cut);
}

// The same requests as one page of the window, each made alone.
double curlPage(const QString &owner, int page)
{
    const QString host = Property().getHostURL();
    double ms = 0;
    const QByteArray body = QJsonDocument(listRequest(owner, page)).toJson(QJsonDocument::Compact);
    const QByteArray reply = curl({"-H", "Content-Type: application/json", "--data-binary", QString::fromUtf8(body),
                                   host + "/android/note/findByCondition"},
                                  &ms);
    const QJsonArray rows = QJsonDocument::fromJson(reply).object().value("data").toObject().value("dList").toArray();
    for (const QJsonValue &row : rows) {
        const QString image = row.toObject().value("image").toString();
        if (!image.isEmpty())
            curl({"-o", "/dev/null", host + "/account/note/" + image}, &ms);
    }
    return ms;
}

// A picture with the soft shapes and the grain of a photo.
void writePicture(const QString &path, int seed)
{
    QRandomGenerator random(quint32(seed + 1));
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor::fromHsv(seed * 47 % 360, 90, 200));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        const QPointF centre(random.bounded(640), random.bounded(480));
        QRadialGradient glow(centre, 40 + random.bounded(200));
        glow.setColorAt(0, QColor::fromHsv(random.bounded(360), 160, 240, 200));
        glow.setColorAt(1, Qt::transparent);
        painter.setBrush(glow);
        painter.drawRect(image.rect());
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = random.bounded(17) - 8;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                           qBound(0, qBlue(p) + grain, 255));
        }
    }
    image.save(path, "JPG", 85);
}

// Runs `step(i)` for i = 0 .. count-1, each from the application's event
// loop as a person's presses come, then `done`.
void chain(int count, std::function<void(int)> step, std::function<void()> done, int i = 0)
{
    if (i == count) {
        QTimer::singleShot(0, done);
        return;
    }
    QTimer::singleShot(0, [=] {
        step(i);
        chain(count, step, done, i + 1);
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench-note-window thumbnails OWNER PAGES TURNS | pictures FOLDER COUNT | pageturn OWNER TURNS\n");
        return 2;
    }
    const QString mode = args.at(1);
    const QString owner = args.at(2);
    if (mode == QLatin1String("pictures")) {
        for (int i = 0; i < args.at(3).toInt(); ++i)
            writePicture(QStringLiteral("%1/picture%2_%3.jpg").arg(owner).arg(i).arg(1764000000000 + i), i);
        return 0;
    }

    DomainUser user;
    user.setUsername(owner);
    user.setGrade(1);
    NoteWindow window;
    window.receiveUser(user, 1);
    window.resize(1200, 800);
    window.show();
    DomainUi query;
    query.setCurPage(1);
    query.setPageSize(kPageSize);
    query.setConditionStr(QStringLiteral(" and isShow ='展示'"));
    auto *next = window.findChild<QPushButton *>(QStringLiteral("pushButton_nextPage"));
    auto *selector = window.findChild<QComboBox *>(QStringLiteral("comboBox_pageNumber"));

    QList<double> turns;
    QList<double> cpu;
    QList<double> alone;
    QList<double> paints;
    QElapsedTimer clock;
    // One page press: "下一页", or back to the first page from the last. What
    // the previous turn left to the event loop (painting the page, delayed
    // layouts, deferred deletions) is done first, as it is before a person
    // presses again, and timed apart from the turn.
    auto press = [&] {
        clock.start();
        for (int i = 0; i < 2; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        }
        paints << clock.nsecsElapsed() / 1e6;
        const double cpuStart = cpuMs();
        clock.start();
        if (next->isEnabled())
            next->click();
        else
            selector->setCurrentIndex(0);
        turns << clock.nsecsElapsed() / 1e6;
        cpu << cpuMs() - cpuStart;
    };

    if (mode == QLatin1String("thumbnails")) {
        const int pages = args.at(3).toInt();
        const int memoryTurns = args.value(4, QStringLiteral("200")).toInt();
        QTimer::singleShot(0, [&] {
            window.receiveDomainUi(query);
            chain(pages, [&](int) { press(); }, [&] {
                for (int page = 2; page <= pages + 1; ++page)
                    alone << curlPage(owner, page);
                std::printf("page of 30 notes with pictures, press to last row filled: median %.1f ms (min %.1f, max %.1f, %d pages)\n",
                            median(turns), *std::min_element(turns.begin(), turns.end()),
                            *std::max_element(turns.begin(), turns.end()), int(turns.size()));
                std::printf("the same 31 requests one by one with curl, summed:     median %.1f ms\n", median(alone));
                std::printf("ratio: %.2f\n", median(turns) / median(alone));
                std::fflush(stdout);
                turns.clear();
                const double before = residentMegabytes();
                chain(memoryTurns, [&](int) { press(); }, [&, before] {
                    const double after = residentMegabytes();
                    std::printf("resident size: %.1f MB before %d page turns, %.1f MB after (%+.1f MB); median turn %.1f ms\n",
                                before, memoryTurns, after, after - before, median(turns));
                    app.quit();
                });
            });
        });
    } else {
        const int count = args.at(3).toInt();
        QTimer::singleShot(0, [&] {
            window.receiveDomainUi(query);
            chain(count, [&](int i) {
                press();
                double ms = 0;
                const QByteArray body = QJsonDocument(listRequest(owner, 2 + i)).toJson(QJsonDocument::Compact);
                curl({"-o", "/dev/null", "-H", "Content-Type: application/json", "--data-binary", QString::fromUtf8(body),
                      Property().getHostURL() + "/android/note/findByCondition"},
                     &ms);
                alone << ms;
            }, [&] {
                std::printf("page turn of 30 notes (no files): median %.2f ms; its list request alone (curl): median %.2f ms\n",
                            median(turns), median(alone));
                std::printf("client time per page turn: %.2f ms (%d turns, %s pages); the client's CPU time per turn: median %.2f ms\n",
                            median(turns) - median(alone), int(turns.size()), qPrintable(QString::number(selector->count())),
                            median(cpu));
                std::printf("after each turn, painting the page and the work left to the event loop: median %.2f ms\n",
                            median(paints.mid(1)));
                app.quit();
            });
        });
    }
    return app.exec();
}
