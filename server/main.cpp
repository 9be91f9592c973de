#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>

#include "database.h"
#include "demodata.h"
#include "managementserver.h"
#include "passwordhasher.h"

namespace {

const char *const kUsage =
    "Usage: lanzhou-server [--port N] [--data DIR] [--demo] [--help]\n"
    "\n"
    "The management server of the client, on 127.0.0.1 only.\n"
    "  --port N     port to listen on (default 8091)\n"
    "  --data DIR   data folder with the store and the files (default ./server-data)\n"
    "  --demo       put the demo users and records into an empty store\n"
    "  --help       show this text\n";

int usage(int code)
{
    std::fputs(kUsage, code == 0 ? stdout : stderr);
    return code;
}

// Memory that a request used goes back to the system: a few heaps shared by
// all threads instead of one per thread, large blocks mapped and unmapped on
// their own, and free memory at a heap's top returned early.
void boundTheHeap()
{
    mallopt(M_ARENA_MAX, 4);
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
}

// Every connection takes a descriptor: allow as many as the system lets us.
void raiseDescriptorLimit()
{
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    boundTheHeap();
    raiseDescriptorLimit();
    QCoreApplication app(argc, argv);
    int port = 8091;
    QString dataDir = QStringLiteral("server-data");
    bool demo = false;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return usage(0);
        if (a == QLatin1String("--demo")) {
            demo = true;
        } else if (a == QLatin1String("--port") && i + 1 < args.size()) {
            bool ok = false;
            port = args.at(++i).toInt(&ok);
            if (!ok || port < 1 || port > 65535) {
                std::fprintf(stderr, "lanzhou-server: bad port: %s\n", qPrintable(args.at(i)));
                return usage(2);
            }
        } else if (a == QLatin1String("--data") && i + 1 < args.size()) {
            dataDir = args.at(++i);
        } else {
            std::fprintf(stderr, "lanzhou-server: bad argument: %s\n", qPrintable(a));
            return usage(2);
        }
    }

    if (!PasswordHasher::initialise()) {
        std::fprintf(stderr, "lanzhou-server: libsodium cannot start\n");
        return 1;
    }
    if (!QDir().mkpath(dataDir)) {
        std::fprintf(stderr, "lanzhou-server: cannot create data folder %s\n", qPrintable(dataDir));
        return 1;
    }
    QString error;
    if (!Database::open(QDir(dataDir).absoluteFilePath(QStringLiteral("lanzhou.sqlite")), &error)) {
        std::fprintf(stderr, "lanzhou-server: cannot open the store: %s\n", qPrintable(error));
        return 1;
    }
    ManagementServer server(dataDir);
    if (demo && !DemoData::seed(dataDir, &error)) {
        std::fprintf(stderr, "lanzhou-server: demo data: %s\n", qPrintable(error));
        return 1;
    }
    if (!server.bind(port, &error)) {
        std::fprintf(stderr, "lanzhou-server: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    return server.run() ? 0 : 1;
}
