#include "managementserver.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QSaveFile>
#include <cstdio>
#include <httplib.h>
#include <sys/socket.h>

#include "requesthandler.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr int kWorkerThreads = 64;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

void reply(httplib::Response &res, const QJsonObject &envelope)
{
    res.status = 200;
    res.set_content(QJsonDocument(envelope).toJson(QJsonDocument::Compact).toStdString(),
                    "application/json; charset=utf-8");
}

QString fromStd(const std::string &s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

} // namespace

ManagementServer::ManagementServer(const QString &dataDir) : files(dataDir), server(new httplib::Server)
{
    files.createFolders();
    server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // Plain SO_REUSEADDR: a port that another server holds makes bind() fail.
    server->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    server->set_tcp_nodelay(true);
    server->set_keep_alive_max_count(1000000);
    server->set_keep_alive_timeout(5);
    server->set_payload_max_length(kMaxPayload);

    server->Post("/android/note/updateImage",
                 [this](const httplib::Request &req, httplib::Response &res, const httplib::ContentReader &reader) {
                     upload(req, res, reader);
                 });
    server->Post(R"(/android/([^/]+)/([^/]+))",
                 [this](const httplib::Request &req, httplib::Response &res) { operation(req, res); });
    server->Get(R"(/account/(note|workPlan)/(.+))", [this](const httplib::Request &req, httplib::Response &res) {
        serveFile(req, res, fromStd(req.matches[1]), fromStd(req.matches[2]));
    });
    server->Get("/account/backgroundMusic.mp3", [this](const httplib::Request &req, httplib::Response &res) {
        serveFile(req, res, QString(), QStringLiteral("backgroundMusic.mp3"));
    });
    server->set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty() || res.status == 206)
            return;
        QString reason = text("请求无效");
        if (res.status == 404)
            reason = text("请求的路径不存在");
        else if (res.status == 413)
            reason = text("请求内容过大");
        else if (res.status == 416)
            reason = text("请求的范围超出文件长度");
        else if (res.status >= 500)
            reason = text("服务器内部错误");
        const int status = res.status;
        reply(res, RequestHandler::failure(reason));
        res.status = status;
    });
    server->set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        reply(res, RequestHandler::failure(text("服务器内部错误")));
        res.status = 500;
    });
}

ManagementServer::~ManagementServer() = default;

bool ManagementServer::bind(int port, QString *error)
{
    if (!server->bind_to_port("127.0.0.1", port)) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1 (port taken or not allowed)").arg(port);
        return false;
    }
    return true;
}

bool ManagementServer::run()
{
    return server->listen_after_bind();
}

void ManagementServer::operation(const httplib::Request &req, httplib::Response &res)
{
    const QString entity = fromStd(req.matches[1]);
    const QString op = fromStd(req.matches[2]);
    if (req.body.size() > static_cast<size_t>(kMaxJsonBody)) {
        reply(res, RequestHandler::failure(text("请求内容过大")));
        return;
    }
    const QByteArray body = RequestHandler::reply(entity, op, QByteArray::fromStdString(req.body));
    res.status = 200;
    res.set_content(body.constData(), size_t(body.size()), "application/json; charset=utf-8");
}

void ManagementServer::upload(const httplib::Request &req, httplib::Response &res, const httplib::ContentReader &reader)
{
    if (!req.is_multipart_form_data()) {
        reader([](const char *, size_t) { return true; });
        reply(res, RequestHandler::failure(text("上传内容必须是multipart表单")));
        return;
    }
    // The file part goes straight to disk; the two short text parts are kept.
    constexpr size_t kMaxTextPart = 4096;
    QString part, mode, oldName, name, refusal;
    std::string textValue;
    std::unique_ptr<QSaveFile> out;
    qint64 written = 0;
    auto finishTextPart = [&] {
        if (part == QLatin1String("addUpdate"))
            mode = fromStd(textValue);
        else if (part == QLatin1String("oldFileName"))
            oldName = fromStd(textValue);
    };
    const bool read = reader(
        [&](const httplib::MultipartFormData &header) {
            finishTextPart();
            part = fromStd(header.name);
            textValue.clear();
            if (part == QLatin1String("bitmap") && !out && refusal.isEmpty()) {
                name = FileStore::plainName(fromStd(header.filename));
                if (name.isEmpty()) {
                    refusal = text("文件名无效，无法保存");
                } else {
                    out.reset(new QSaveFile(files.folder(QStringLiteral("note")) + QLatin1Char('/') + name));
                    if (!out->open(QIODevice::WriteOnly))
                        refusal = text("文件保存失败");
                }
            }
            return true;
        },
        [&](const char *data, size_t length) {
            if (part == QLatin1String("bitmap")) {
                if (out && refusal.isEmpty()) {
                    if (out->write(data, static_cast<qint64>(length)) != static_cast<qint64>(length))
                        refusal = text("文件保存失败");
                    written += static_cast<qint64>(length);
                }
            } else if (textValue.size() + length <= kMaxTextPart) {
                textValue.append(data, length);
            }
            return true;
        });
    finishTextPart();
    if (!read) {
        const int status = res.status >= 400 ? res.status : 400;
        reply(res, RequestHandler::failure(status == 413 ? text("请求内容过大") : text("上传内容无效")));
        res.status = status;
        return;
    }
    if (refusal.isEmpty() && mode != QLatin1String("add") && mode != QLatin1String("update"))
        refusal = text("上传方式(addUpdate)只能是add或update");
    if (refusal.isEmpty() && !out)
        refusal = text("上传内容缺少文件(bitmap)");
    if (refusal.isEmpty() && written == 0)
        refusal = text("文件内容为空，无法保存");
    if (refusal.isEmpty() && !out->commit())
        refusal = text("文件保存失败");
    if (!refusal.isEmpty()) {
        if (out)
            out->cancelWriting();
        reply(res, RequestHandler::failure(refusal));
        return;
    }
    if (mode == QLatin1String("update")) {
        const QString old = FileStore::plainName(oldName);
        if (!old.isEmpty() && old != name) {
            const QString path = files.existingFile(QStringLiteral("note"), old);
            if (!path.isEmpty())
                QFile::remove(path);
        }
    }
    reply(res, RequestHandler::success(name, QJsonValue(QJsonValue::Null)));
}

void ManagementServer::serveFile(const httplib::Request &req, httplib::Response &res, const QString &folder,
                                 const QString &name)
{
    const QString path = files.existingFile(folder, name);
    if (path.isEmpty()) {
        res.status = FileStore::plainName(name) == name ? 404 : 400;
        return;
    }
    const qint64 size = QFileInfo(path).size();
    static const QMimeDatabase mimes;
    const std::string type = mimes.mimeTypeForFile(path, QMimeDatabase::MatchContent).name().toStdString();
    qint64 first = 0, last = size - 1;
    const FileStore::Range range =
        FileStore::byteRange(QByteArray::fromStdString(req.get_header_value("Range")), size, &first, &last);
    // The ranges are answered here, with the end clamped to the file's end.
    const_cast<httplib::Request &>(req).ranges.clear();
    res.set_header("Accept-Ranges", "bytes");
    if (range == FileStore::Range::Unsatisfiable) {
        res.status = 416;
        res.set_header("Content-Range", "bytes */" + std::to_string(size));
        return;
    }
    res.status = 200;
    if (range == FileStore::Range::Partial) {
        res.status = 206;
        res.set_header("Content-Range",
                       "bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" + std::to_string(size));
    }
    if (size == 0) {
        res.set_content(std::string(), type);
        return;
    }
    std::FILE *fp = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!fp) {
        res.status = 404;
        return;
    }
    auto stream = std::shared_ptr<std::FILE>(fp, [](std::FILE *f) { std::fclose(f); });
    const qint64 start = first;
    res.set_content_provider(
        static_cast<size_t>(last - first + 1), type,
        [stream, start](size_t offset, size_t length, httplib::DataSink &sink) {
            std::vector<char> buffer(std::min(length, kChunk));
            if (std::fseek(stream.get(), static_cast<long>(start + static_cast<qint64>(offset)), SEEK_SET) != 0)
                return false;
            const size_t got = std::fread(buffer.data(), 1, buffer.size(), stream.get());
            if (got == 0)
                return false;
            return sink.write(buffer.data(), got);
        });
}
