#ifndef HTTPSESSION_H
#define HTTPSESSION_H

#include <QByteArray>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/buffer_body.hpp>
#include <boost/beast/http/parser.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "httpreply.h"

class ManagementServer;
class MultipartReader;
class NoteUpload;

// One connection to the server, driven by the I/O thread that owns its socket.
// Between requests it waits without a buffer; a request must arrive whole,
// headers and body, before its deadline; a quick list is answered here, any
// other work runs on the server's workers and only the finished reply comes
// back here to be written.
class HttpSession : public std::enable_shared_from_this<HttpSession>
{
public:
    using Clock = std::chrono::steady_clock;

    HttpSession(boost::asio::ip::tcp::socket socket, ManagementServer &server);
    ~HttpSession();
    HttpSession(const HttpSession &) = delete;
    HttpSession &operator=(const HttpSession &) = delete;

    void start();
    // Answers with this reply at once, whatever is asked, and closes.
    void refuseAll(HttpReply r) { refusal = std::make_unique<HttpReply>(std::move(r)); }
    boost::asio::any_io_executor executor() { return socket.get_executor(); }

    // How long an idle connection is kept, and how long a request may take to arrive.
    static constexpr std::chrono::seconds kIdle{5};
    static constexpr std::chrono::seconds kRequest{5};

private:
    using Parser = boost::beast::http::request_parser<boost::beast::http::buffer_body>;
    using Sink = std::function<bool(const char *, std::size_t)>;

    void awaitRequest();
    void readHeader();
    void onHeader();
    void readBody();
    void onBody();
    void sendContinue();
    HttpReply overflowReply() const;
    void runOperation(const QString &entity, const QString &operation);
    void runUpload();
    void reply(HttpReply r);
    void refuse(HttpReply r);
    void writeFile();
    void replyWritten();
    void drain();
    void arm(Clock::time_point deadline);
    void close();
    // Hands a reply from a worker back to this connection's thread.
    std::function<void(HttpReply)> completion();

    boost::asio::ip::tcp::socket socket;
    boost::asio::steady_timer timer;
    ManagementServer &server;
    boost::beast::flat_buffer buffer;
    std::optional<Parser> parser;
    Clock::time_point requestDeadline;
    unsigned deadlineGeneration = 0;
    bool closed = false;
    bool draining = false;

    // The request being read.
    bool headRequest = false;
    bool keepAlive = true;
    bool expectContinue = false;
    // Room for a body's bytes as they arrive: the whole body when it is short.
    std::unique_ptr<char[]> chunk;
    std::size_t chunkSize = 0;
    Sink sink;
    std::function<void()> afterBody;
    QByteArray body;
    std::shared_ptr<NoteUpload> upload;
    std::unique_ptr<MultipartReader> form;
    // A body over its limit is refused with the JSON envelope (operations) or plainly.
    bool jsonOverflow = false;
    std::unique_ptr<HttpReply> refusal;

    // The reply being written.
    HttpReply current;
    std::string currentHead;
    int file = -1;
    qint64 fileSent = 0;
};

#endif // HTTPSESSION_H
