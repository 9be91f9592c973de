#ifndef HTTPREPLY_H
#define HTTPREPLY_H

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <string>
#include <utility>
#include <vector>

// One reply of the server: status, headers and either a body in memory or a
// byte range of a stored file. head() writes the status line and the headers
// in the form the server has always used (headers sorted by name, the length
// and the connection's fate among them).
class HttpReply
{
public:
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    QByteArray body;
    // A stored file's bytes [fileOffset, fileOffset + fileLength) instead of the body.
    QString filePath;
    qint64 fileOffset = 0;
    qint64 fileLength = -1;

    // A 200 reply carrying the JSON envelope, as an object or as its compact text.
    static HttpReply json(const QJsonObject &envelope);
    static HttpReply json(const QByteArray &envelope);
    // The failure envelope with the given status; without a reason, the one
    // that goes with the status.
    static HttpReply failure(int status, const QString &reason = QString());
    // The reason given for a status when nothing more precise is known.
    static QString reasonFor(int status);

    void setHeader(const std::string &name, const std::string &value);
    bool hasFile() const { return fileLength >= 0; }
    qint64 contentLength() const { return hasFile() ? fileLength : body.size(); }
    // Status line and headers, ended by the blank line. A reply to HEAD names
    // the length of what GET would send; keepAliveSeconds < 0 announces the close.
    std::string head(bool headRequest, int keepAliveSeconds) const;
};

#endif // HTTPREPLY_H
