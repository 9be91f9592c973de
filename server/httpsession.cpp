#include "httpsession.h"

#include <boost/asio/post.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/http/read.hpp>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <limits>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include "filestore.h"
#include "managementserver.h"
#include "multipartreader.h"
#include "noteupload.h"
#include "requesthandler.h"

namespace asio = boost::asio;
namespace http = boost::beast::http;
using boost::system::error_code;

namespace {

constexpr std::size_t kHeaderLimit = 64 * 1024;
constexpr std::size_t kLineLimit = 8192;
constexpr std::size_t kChunk = 64 * 1024;
// Upload bodies, and replies held in memory, must move at least this fast.
constexpr qint64 kMinBytesPerSecond = 4 * 1024 * 1024;
constexpr qint64 kMinReplyBytesPerSecond = 1024 * 1024;
constexpr std::chrono::seconds kWriteGrace{10};
// A stored file costs no memory while it is sent: a reader (a player that
// pauses) may stop taking it for this long.
constexpr std::chrono::seconds kFileStall{60};
constexpr std::chrono::seconds kDrainTime{2};
// A file this small goes out in one write with its headers.
constexpr qint64 kInlineFile = 64 * 1024;
// A large file is sent in turns, so that one fast reader does not hold the thread.
constexpr std::size_t kFileTurn = 4 * 1024 * 1024;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }
QString fromStd(const std::string &s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

std::string lower(boost::beast::string_view s)
{
    std::string out(s.data(), s.size());
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trimmedLower(boost::beast::string_view s)
{
    std::string out = lower(s);
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

// The media type of a Content-Type value, without its parameters.
std::string mediaType(boost::beast::string_view value)
{
    const std::string v = trimmedLower(value);
    const auto semicolon = v.find(';');
    return trimmedLower(semicolon == std::string::npos ? boost::beast::string_view(v)
                                                       : boost::beast::string_view(v.data(), semicolon));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX escapes of a path decoded; a malformed escape stays as it is.
std::string decodePath(boost::beast::string_view path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && hexValue(path[i + 1]) >= 0 && hexValue(path[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(path[i + 1]) * 16 + hexValue(path[i + 2]));
            i += 2;
        } else {
            out += path[i];
        }
    }
    return out;
}

bool startsWith(const std::string &s, const char *prefix)
{
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

HttpSession::HttpSession(asio::ip::tcp::socket socket, ManagementServer &server)
    : socket(std::move(socket)), timer(this->socket.get_executor()), server(server), buffer(2 * kHeaderLimit)
{
}

HttpSession::~HttpSession()
{
    if (file >= 0)
        ::close(file);
    server.connectionClosed();
}

void HttpSession::start()
{
    error_code ec;
    socket.set_option(asio::ip::tcp::no_delay(true), ec);
    socket.native_non_blocking(true, ec);
    if (refusal) {
        keepAlive = false;
        return reply(std::move(*refusal));
    }
    awaitRequest();
}

void HttpSession::arm(Clock::time_point deadline)
{
    const unsigned generation = ++deadlineGeneration;
    timer.expires_at(deadline);
    timer.async_wait([self = shared_from_this(), generation](const error_code &ec) {
        if (!ec && generation == self->deadlineGeneration)
            self->close();
    });
}

void HttpSession::close()
{
    if (closed)
        return;
    closed = true;
    ++deadlineGeneration;
    timer.cancel();
    error_code ec;
    socket.shutdown(asio::ip::tcp::socket::shutdown_both, ec);
    socket.close(ec);
}

std::function<void(HttpReply)> HttpSession::completion()
{
    return [self = shared_from_this()](HttpReply r) {
        asio::post(self->socket.get_executor(),
                   [self, r = std::move(r)]() mutable { self->reply(std::move(r)); });
    };
}

void HttpSession::awaitRequest()
{
    if (closed)
        return;
    // Pipelined bytes are a request that has already begun.
    if (buffer.size() > 0)
        return readHeader();
    arm(Clock::now() + kIdle);
    socket.async_wait(asio::ip::tcp::socket::wait_read, [self = shared_from_this()](const error_code &ec) {
        if (ec || self->closed)
            return self->close();
        self->readHeader();
    });
}

void HttpSession::readHeader()
{
    // Nothing of the previous request carries over, also when this one cannot be read.
    headRequest = false;
    keepAlive = true;
    expectContinue = false;
    requestDeadline = Clock::now() + kRequest;
    arm(requestDeadline);
    parser.emplace();
    parser->header_limit(kHeaderLimit);
    // Lengths are judged once the route is known (an empty limit would refuse
    // every length here).
    parser->body_limit(std::numeric_limits<std::uint64_t>::max());
    http::async_read_header(socket, buffer, *parser, [self = shared_from_this()](const error_code &ec, std::size_t) {
        if (self->closed)
            return;
        if (!ec)
            return self->onHeader();
        // A silent or vanished peer is let go; a broken request is told so.
        if (ec == http::error::end_of_stream || ec == asio::error::eof || ec == asio::error::operation_aborted
            || ec == asio::error::connection_reset)
            return self->close();
        self->keepAlive = false;
        self->refuse(HttpReply::failure(ec == http::error::header_limit ? 431 : 400));
    });
}

void HttpSession::onHeader()
{
    const auto &req = parser->get();
    headRequest = req.method() == http::verb::head;
    keepAlive = req.keep_alive();
    expectContinue = trimmedLower(req[http::field::expect]) == "100-continue";
    sink = nullptr;
    afterBody = nullptr;
    body.clear();
    jsonOverflow = false;

    if (req.version() != 10 && req.version() != 11)
        return refuse(HttpReply::failure(400));
    if (req.target().size() > kLineLimit)
        return refuse(HttpReply::failure(414));
    for (const auto &field : req) {
        if (field.name_string().size() + field.value().size() + 2 > kLineLimit)
            return refuse(HttpReply::failure(400));
    }
    if (req.method() == http::verb::unknown)
        return refuse(HttpReply::failure(400));

    // Web pages: a browser names the page's origin, and a page that reached us
    // under another host name (DNS rebinding) carries that name. The client
    // sends neither.
    if (req.find(http::field::origin) != req.end() || !server.acceptsHost(std::string(req[http::field::host])))
        return refuse(HttpReply::failure(403, text("拒绝跨站请求")));
    if (req.find(http::field::range) != req.end()
        && !FileStore::wellFormedRange(std::string(req[http::field::range])))
        return refuse(HttpReply::failure(416));
    const auto encoding = req.find(http::field::content_encoding);
    if (encoding != req.end() && trimmedLower(encoding->value()) != "identity")
        return refuse(HttpReply::failure(415, text("不接受压缩的请求内容")));

    const boost::beast::string_view target = req.target();
    const std::string path = decodePath(target.substr(0, target.find('?')));
    const auto declared = parser->content_length();
    const bool post = req.method() == http::verb::post;
    const bool get = req.method() == http::verb::get || headRequest;

    if (post && path == "/android/note/updateImage") {
        if (declared && *declared > ManagementServer::kMaxPayload)
            return refuse(HttpReply::failure(413));
        parser->body_limit(ManagementServer::kMaxPayload);
        const qint64 expected =
            declared ? static_cast<qint64>(*declared) : static_cast<qint64>(ManagementServer::kMaxPayload);
        requestDeadline += std::chrono::milliseconds(expected * 1000 / kMinBytesPerSecond);
        arm(requestDeadline);
        const std::string contentType(req[http::field::content_type]);
        const std::string boundary = MultipartReader::boundaryOf(contentType);
        if (mediaType(contentType) != "multipart/form-data") {
            afterBody = [this] { reply(HttpReply::json(RequestHandler::failure(text("上传内容必须是multipart表单")))); };
        } else if (boundary.empty()) {
            afterBody = [this] { reply(HttpReply::failure(400, text("上传内容无效"))); };
        } else {
            upload = std::make_shared<NoteUpload>(server.files());
            form = std::make_unique<MultipartReader>(boundary);
            NoteUpload *u = upload.get();
            form->onPart = [u](const MultipartReader::Part &p) { u->part(p); };
            form->onData = [u](const char *d, std::size_t n) { u->data(d, n); };
            sink = [this](const char *d, std::size_t n) { return form->feed(d, n); };
            afterBody = [this] { runUpload(); };
        }
    } else if (post && startsWith(path, "/android/")) {
        const std::string rest = path.substr(9);
        const auto slash = rest.find('/');
        if (slash == std::string::npos || slash == 0 || slash + 1 == rest.size()
            || rest.find('/', slash + 1) != std::string::npos) {
            afterBody = [this] { reply(HttpReply::failure(404)); };
        } else {
            if (mediaType(req[http::field::content_type]) != "application/json")
                return refuse(HttpReply::failure(403, text("请求内容类型必须是application/json")));
            jsonOverflow = true;
            if (declared && *declared > static_cast<std::uint64_t>(ManagementServer::kMaxJsonBody))
                return refuse(overflowReply());
            parser->body_limit(ManagementServer::kMaxJsonBody);
            if (declared)
                body.reserve(static_cast<int>(*declared));
            sink = [this](const char *d, std::size_t n) {
                body.append(d, static_cast<int>(n));
                return true;
            };
            const QString entity = fromStd(rest.substr(0, slash)), operation = fromStd(rest.substr(slash + 1));
            afterBody = [this, entity, operation] { runOperation(entity, operation); };
        }
    } else if (get && (startsWith(path, "/account/note/") || startsWith(path, "/account/workPlan/"))
               && path.find_first_of("\r\n") == std::string::npos) {
        const bool note = startsWith(path, "/account/note/");
        const QString folder = note ? QStringLiteral("note") : QStringLiteral("workPlan");
        const QString name = fromStd(path.substr(note ? 14 : 18));
        afterBody = [this, folder, name] {
            reply(server.fileReply(folder, name, std::string(parser->get()[http::field::range])));
        };
    } else if (get && path == "/account/backgroundMusic.mp3") {
        afterBody = [this] {
            reply(server.fileReply(QString(), QStringLiteral("backgroundMusic.mp3"),
                                   std::string(parser->get()[http::field::range])));
        };
    } else {
        afterBody = [this] { reply(HttpReply::failure(404)); };
    }
    if (!sink) {
        // A body that nobody reads is taken in and dropped.
        if (declared && *declared > ManagementServer::kMaxPayload)
            return refuse(HttpReply::failure(413));
        parser->body_limit(ManagementServer::kMaxPayload);
        sink = [](const char *, std::size_t) { return true; };
    }
    if (parser->is_done())
        return onBody();
    if (expectContinue)
        return sendContinue();
    readBody();
}

void HttpSession::sendContinue()
{
    static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
    asio::async_write(socket, asio::buffer(kContinue, sizeof kContinue - 1),
                      [self = shared_from_this()](const error_code &ec, std::size_t) {
                          if (ec || self->closed)
                              return self->close();
                          self->readBody();
                      });
}

HttpReply HttpSession::overflowReply() const
{
    return jsonOverflow ? HttpReply::json(RequestHandler::failure(text("请求内容过大"))) : HttpReply::failure(413);
}

void HttpSession::readBody()
{
    if (!chunk) {
        const auto declared = parser->content_length();
        chunkSize = declared ? std::clamp<std::size_t>(static_cast<std::size_t>(*declared), 1, kChunk) : kChunk;
        chunk.reset(new char[chunkSize]);
    }
    auto &b = parser->get().body();
    b.data = chunk.get();
    b.size = chunkSize;
    http::async_read_some(socket, buffer, *parser, [self = shared_from_this()](error_code ec, std::size_t) {
        if (self->closed)
            return;
        if (ec == http::error::need_buffer)
            ec = {};
        const std::size_t got = self->chunkSize - self->parser->get().body().size;
        if (ec == http::error::body_limit)
            return self->refuse(self->overflowReply());
        // A peer that left or missed the deadline is let go; a broken body is told so.
        if (ec == asio::error::eof || ec == asio::error::operation_aborted || ec == asio::error::connection_reset)
            return self->close();
        if (ec)
            return self->refuse(HttpReply::failure(400));
        if (got > 0 && !self->sink(self->chunk.get(), got)) {
            self->keepAlive = false;
            return self->refuse(HttpReply::failure(400, text("上传内容无效")));
        }
        if (self->parser->is_done())
            return self->onBody();
        self->readBody();
    });
}

void HttpSession::onBody()
{
    // The request is in: no deadline while the workers answer it.
    ++deadlineGeneration;
    timer.cancel();
    chunk.reset();
    chunkSize = 0;
    const auto next = std::move(afterBody);
    next();
}

void HttpSession::runOperation(const QString &entity, const QString &operation)
{
    HttpReply quick;
    if (server.quickOperation(entity, operation, body, &quick)) {
        body = QByteArray();
        return reply(std::move(quick));
    }
    server.operation(entity, operation, std::move(body), completion());
    body = QByteArray();
}

void HttpSession::runUpload()
{
    const bool complete = form->finished();
    form.reset();
    auto job = std::move(upload);
    if (!complete)
        return reply(HttpReply::failure(400, text("上传内容无效")));
    server.finishUpload(std::move(job), completion());
}

void HttpSession::refuse(HttpReply r)
{
    // A body that is not read ends the connection after the reply.
    keepAlive = keepAlive && parser && parser->is_done();
    reply(std::move(r));
}

void HttpSession::reply(HttpReply r)
{
    if (closed)
        return;
    current = std::move(r);
    if (current.hasFile() && !headRequest) {
        file = ::open(QFile::encodeName(current.filePath).constData(), O_RDONLY | O_CLOEXEC);
        if (file < 0) {
            current = HttpReply::failure(404);
        } else if (current.fileLength <= kInlineFile) {
            QByteArray bytes(static_cast<int>(current.fileLength), Qt::Uninitialized);
            const ssize_t n = ::pread(file, bytes.data(), static_cast<std::size_t>(bytes.size()), current.fileOffset);
            ::close(file);
            file = -1;
            if (n != bytes.size())
                return close();
            current.body = bytes;
            current.fileLength = -1;
        } else {
            fileSent = 0;
        }
    }
    currentHead = current.head(headRequest, keepAlive ? static_cast<int>(kIdle.count()) : -1);
    const qint64 length = static_cast<qint64>(currentHead.size()) + (headRequest ? 0 : current.body.size());
    arm(Clock::now() + kWriteGrace + std::chrono::milliseconds(length * 1000 / kMinReplyBytesPerSecond));
    std::vector<asio::const_buffer> out{asio::buffer(currentHead)};
    if (!headRequest && !current.body.isEmpty())
        out.push_back(asio::buffer(current.body.constData(), static_cast<std::size_t>(current.body.size())));
    asio::async_write(socket, out, [self = shared_from_this()](const error_code &ec, std::size_t) {
        if (ec || self->closed)
            return self->close();
        if (self->file >= 0)
            return self->writeFile();
        self->replyWritten();
    });
}

void HttpSession::writeFile()
{
    arm(Clock::now() + kFileStall);
    std::size_t turn = 0;
    while (fileSent < current.fileLength) {
        off_t offset = static_cast<off_t>(current.fileOffset + fileSent);
        const std::size_t want = static_cast<std::size_t>(std::min<qint64>(current.fileLength - fileSent, 1 << 20));
        const ssize_t n = ::sendfile(socket.native_handle(), file, &offset, want);
        if (n > 0) {
            fileSent += n;
            turn += static_cast<std::size_t>(n);
            if (turn >= kFileTurn && fileSent < current.fileLength) {
                asio::post(socket.get_executor(), [self = shared_from_this()] {
                    if (!self->closed)
                        self->writeFile();
                });
                return;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            socket.async_wait(asio::ip::tcp::socket::wait_write, [self = shared_from_this()](const error_code &ec) {
                if (ec || self->closed)
                    return self->close();
                self->writeFile();
            });
            return;
        }
        // The peer went away, or the file shrank under us.
        return close();
    }
    ::close(file);
    file = -1;
    replyWritten();
}

void HttpSession::replyWritten()
{
    current = HttpReply();
    std::string().swap(currentHead);
    server.noteActivity();
    const bool unread = !parser || !parser->is_done();
    parser.reset();
    if (!keepAlive) {
        if (unread)
            return drain();
        return close();
    }
    if (buffer.capacity() > 16 * 1024)
        buffer.shrink_to_fit();
    awaitRequest();
}

void HttpSession::drain()
{
    // The peer may still be sending what we did not read: take it in and drop
    // it for a moment, so that closing does not reset the reply it has yet to read.
    if (!draining) {
        draining = true;
        error_code ec;
        socket.shutdown(asio::ip::tcp::socket::shutdown_send, ec);
        buffer.clear();
        buffer.shrink_to_fit();
        chunkSize = 16 * 1024;
        chunk.reset(new char[chunkSize]);
        arm(Clock::now() + kDrainTime);
    }
    socket.async_read_some(asio::buffer(chunk.get(), chunkSize), [self = shared_from_this()](const error_code &e, std::size_t) {
        if (e || self->closed)
            return self->close();
        self->drain();
    });
}
