#include "httpreply.h"

#include <QJsonDocument>
#include <algorithm>
#include <boost/beast/core/string.hpp>

#include "requesthandler.h"

namespace {

const char *statusText(int status)
{
    switch (status) {
    case 100: return "Continue";
    case 200: return "OK";
    case 206: return "Partial Content";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 408: return "Request Timeout";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 415: return "Unsupported Media Type";
    case 416: return "Range Not Satisfiable";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return status >= 500 ? "Internal Server Error" : "Bad Request";
    }
}

} // namespace

HttpReply HttpReply::json(const QJsonObject &envelope)
{
    return json(QJsonDocument(envelope).toJson(QJsonDocument::Compact));
}

HttpReply HttpReply::json(const QByteArray &envelope)
{
    HttpReply r;
    r.body = envelope;
    r.setHeader("Content-Type", "application/json; charset=utf-8");
    return r;
}

HttpReply HttpReply::failure(int status, const QString &reason)
{
    HttpReply r = json(RequestHandler::failure(reason.isEmpty() ? reasonFor(status) : reason));
    r.status = status;
    return r;
}

QString HttpReply::reasonFor(int status)
{
    if (status == 404)
        return QStringLiteral("请求的路径不存在");
    if (status == 413)
        return QStringLiteral("请求内容过大");
    if (status == 416)
        return QStringLiteral("请求的范围超出文件长度");
    if (status >= 500)
        return QStringLiteral("服务器内部错误");
    return QStringLiteral("请求无效");
}

void HttpReply::setHeader(const std::string &name, const std::string &value)
{
    for (auto &h : headers) {
        if (boost::beast::iequals(h.first, name)) {
            h.second = value;
            return;
        }
    }
    headers.emplace_back(name, value);
}

std::string HttpReply::head(bool headRequest, int keepAliveSeconds) const
{
    std::vector<std::pair<std::string, std::string>> all = headers;
    if (keepAliveSeconds < 0)
        all.emplace_back("Connection", "close");
    else
        all.emplace_back("Keep-Alive", "timeout=" + std::to_string(keepAliveSeconds) + ", max=1000000");
    all.emplace_back("Content-Length", std::to_string(contentLength()));
    if (headRequest
        && std::none_of(all.begin(), all.end(), [](const auto &h) { return boost::beast::iequals(h.first, "accept-ranges"); }))
        all.emplace_back("Accept-Ranges", "bytes");
    std::stable_sort(all.begin(), all.end(),
                     [](const auto &a, const auto &b) { return boost::beast::iless()(a.first, b.first); });
    std::string out;
    out.reserve(256);
    out += "HTTP/1.1 ";
    out += std::to_string(status);
    out += ' ';
    out += statusText(status);
    out += "\r\n";
    for (const auto &h : all) {
        out += h.first;
        out += ": ";
        out += h.second;
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}
