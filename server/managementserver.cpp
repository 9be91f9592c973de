#include "managementserver.h"

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <malloc.h>
#include <sys/resource.h>
#include <thread>
#include <vector>

#include "httpsession.h"
#include "noteupload.h"
#include "requesthandler.h"

namespace asio = boost::asio;
using boost::system::error_code;

namespace {

// Operations that hash or check a password (tens of milliseconds of CPU and
// 64 MiB each) run on a pool of their own, so that they never hold up the others.
constexpr int kHashingThreads = 4;
// Connections over the limit still get their refusal, up to this many more.
constexpr int kRefusing = 256;

int hardware() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

bool hashes(const QString &entity, const QString &operation)
{
    return entity == QLatin1String("user")
           && (operation == QLatin1String("login") || operation == QLatin1String("add")
               || operation == QLatin1String("update"));
}

} // namespace

struct ManagementServer::Private
{
    std::vector<std::unique_ptr<asio::io_context>> io;
    std::vector<asio::executor_work_guard<asio::io_context::executor_type>> keep;
    std::unique_ptr<asio::ip::tcp::acceptor> acceptor;
    std::unique_ptr<asio::steady_timer> retry;
    std::unique_ptr<asio::steady_timer> trim;
    asio::thread_pool workers{static_cast<std::size_t>(std::max(4, hardware()))};
    asio::thread_pool hashing{kHashingThreads};
    std::atomic<int> connections{0};
    std::atomic<bool> activity{false};
    int limit = kMaxConnections;
    std::size_t next = 0;
    std::string host1, host2;
};

ManagementServer::ManagementServer(const QString &dataDir) : store(dataDir), d(new Private)
{
    // A peer that goes away while a file is sent to it must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    store.createFolders();
    const int ioThreads = std::clamp(hardware() / 2, 1, 4);
    for (int i = 0; i < ioThreads; ++i) {
        d->io.push_back(std::make_unique<asio::io_context>(1));
        d->keep.push_back(asio::make_work_guard(*d->io.back()));
    }
}

ManagementServer::~ManagementServer() = default;

bool ManagementServer::bind(int port, QString *error)
{
    auto &io = *d->io.front();
    d->acceptor = std::make_unique<asio::ip::tcp::acceptor>(io);
    const asio::ip::tcp::endpoint endpoint(asio::ip::make_address_v4("127.0.0.1"), static_cast<unsigned short>(port));
    error_code ec;
    d->acceptor->open(endpoint.protocol(), ec);
    // Plain SO_REUSEADDR: a port that another server holds makes bind() fail.
    if (!ec)
        d->acceptor->set_option(asio::socket_base::reuse_address(true), ec);
    if (!ec)
        d->acceptor->bind(endpoint, ec);
    if (!ec)
        d->acceptor->listen(asio::socket_base::max_listen_connections, ec);
    if (ec) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1 (port taken or not allowed)").arg(port);
        return false;
    }
    d->host1 = "127.0.0.1:" + std::to_string(port);
    d->host2 = "localhost:" + std::to_string(port);
    // Every connection is a descriptor: keep room for the store and the files.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
        d->limit = std::max(16, std::min<int>(kMaxConnections, static_cast<int>(files.rlim_cur) - kRefusing - 64));
    return true;
}

bool ManagementServer::run()
{
    accept();
    d->trim = std::make_unique<asio::steady_timer>(*d->io.front());
    trimLater();
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < d->io.size(); ++i)
        threads.emplace_back([this, i] { d->io[i]->run(); });
    d->io.front()->run();
    for (auto &t : threads)
        t.join();
    return true;
}

void ManagementServer::trimLater()
{
    // Memory that requests used goes back to the system once they are done,
    // whichever thread's heap it came from.
    d->trim->expires_after(std::chrono::seconds(1));
    d->trim->async_wait([this](const error_code &ec) {
        if (ec)
            return;
        // On a worker: trimming a large heap takes a moment that no connection should wait for.
        if (d->activity.exchange(false))
            asio::post(d->workers, [] { malloc_trim(0); });
        trimLater();
    });
}

void ManagementServer::accept()
{
    auto &target = *d->io[d->next++ % d->io.size()];
    d->acceptor->async_accept(target, [this](const error_code &ec, asio::ip::tcp::socket socket) {
        if (ec) {
            // Out of descriptors: wait a moment rather than spin.
            d->retry = std::make_unique<asio::steady_timer>(*d->io.front(), std::chrono::milliseconds(50));
            d->retry->async_wait([this](const error_code &) { accept(); });
            return;
        }
        const int open = ++d->connections;
        if (open > d->limit + kRefusing) {
            error_code ignored;
            socket.close(ignored);
            --d->connections;
        } else {
            auto session = std::make_shared<HttpSession>(std::move(socket), *this);
            if (open > d->limit)
                session->refuseAll(HttpReply::failure(503, QStringLiteral("服务器连接数已满，请稍后重试")));
            asio::post(session->executor(), [session] { session->start(); });
        }
        accept();
    });
}

bool ManagementServer::acceptsHost(const std::string &host) const
{
    if (host.empty())
        return true;
    std::string h(host);
    std::transform(h.begin(), h.end(), h.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return h == d->host1 || h == d->host2;
}

void ManagementServer::operation(const QString &entity, const QString &operation, QByteArray body,
                                 std::function<void(HttpReply)> done)
{
    asio::thread_pool &pool = hashes(entity, operation) ? d->hashing : d->workers;
    asio::post(pool, [entity, operation, body = std::move(body), done = std::move(done)]() mutable {
        HttpReply r;
        try {
            r = HttpReply::json(RequestHandler::reply(entity, operation, body));
        } catch (...) {
            r = HttpReply::failure(500);
        }
        body = QByteArray();
        done(std::move(r));
    });
}

bool ManagementServer::quickOperation(const QString &entity, const QString &operation, const QByteArray &body,
                                      HttpReply *out)
{
    try {
        QByteArray reply;
        if (!RequestHandler::quickReply(entity, operation, body, &reply))
            return false;
        *out = HttpReply::json(reply);
        return true;
    } catch (...) {
        return false;
    }
}

void ManagementServer::finishUpload(std::shared_ptr<NoteUpload> upload, std::function<void(HttpReply)> done)
{
    asio::post(d->workers, [upload = std::move(upload), done = std::move(done)]() mutable {
        HttpReply r;
        try {
            r = HttpReply::json(upload->finish());
        } catch (...) {
            r = HttpReply::failure(500);
        }
        upload.reset();
        done(std::move(r));
    });
}

HttpReply ManagementServer::fileReply(const QString &folder, const QString &name, const std::string &range) const
{
    qint64 size = 0;
    const QString path = store.existingFile(folder, name, &size);
    if (path.isEmpty())
        return HttpReply::failure(FileStore::plainName(name) == name ? 404 : 400);
    qint64 first = 0, last = size - 1;
    const FileStore::Range kind = FileStore::byteRange(QByteArray::fromStdString(range), size, &first, &last);
    if (kind == FileStore::Range::Unsatisfiable) {
        HttpReply r = HttpReply::failure(416);
        r.setHeader("Accept-Ranges", "bytes");
        r.setHeader("Content-Range", "bytes */" + std::to_string(size));
        return r;
    }
    HttpReply r;
    r.setHeader("Accept-Ranges", "bytes");
    r.setHeader("Content-Type", FileStore::contentType(name));
    if (kind == FileStore::Range::Partial) {
        r.status = 206;
        r.setHeader("Content-Range",
                    "bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(size));
    }
    if (size > 0) {
        r.filePath = path;
        r.fileOffset = first;
        r.fileLength = last - first + 1;
    }
    return r;
}

void ManagementServer::connectionClosed()
{
    --d->connections;
}

void ManagementServer::noteActivity()
{
    d->activity.store(true, std::memory_order_relaxed);
}
