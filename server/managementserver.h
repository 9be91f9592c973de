#ifndef MANAGEMENTSERVER_H
#define MANAGEMENTSERVER_H

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "filestore.h"
#include "httpreply.h"

class NoteUpload;

// The HTTP side of the server on 127.0.0.1: the JSON operations under
// /android/, the note upload and the stored files under /account/.
// A few I/O threads hold every connection, idle or not; the operations run on
// a pool of workers (those that hash passwords on a pool of their own), so a
// connection only takes a worker once its request is complete. A list whose
// count is kept and whose rows are few is answered on the I/O thread, as a
// file is: handing it to a worker and back would cost more than the list.
class ManagementServer
{
public:
    explicit ManagementServer(const QString &dataDir);
    ~ManagementServer();
    ManagementServer(const ManagementServer &) = delete;
    ManagementServer &operator=(const ManagementServer &) = delete;

    // Binds the port (refusing one that another socket holds).
    bool bind(int port, QString *error);
    // Serves until the process ends.
    bool run();

    // Largest request body taken at all (an upload), and largest JSON body.
    static constexpr std::uint64_t kMaxPayload = 64u * 1024u * 1024u;
    static constexpr int kMaxJsonBody = 2 * 1024 * 1024;
    // Connections served at once; those beyond are told to come back later.
    static constexpr int kMaxConnections = 4096;

    // What the connections ask of the server.
    const FileStore &files() const { return store; }
    // Whether a Host header names this server as the client does (or is absent).
    bool acceptsHost(const std::string &host) const;
    void operation(const QString &entity, const QString &operation, QByteArray body,
                   std::function<void(HttpReply)> done);
    // The reply of an operation that is answered at once on the calling I/O
    // thread, as a stored file is (a list whose count is kept and whose rows are
    // few); false when it must go to the workers through operation().
    bool quickOperation(const QString &entity, const QString &operation, const QByteArray &body, HttpReply *out);
    void finishUpload(std::shared_ptr<NoteUpload> upload, std::function<void(HttpReply)> done);
    // A stored file, or the refusal, for GET and HEAD (cheap: answered on the I/O thread).
    HttpReply fileReply(const QString &folder, const QString &name, const std::string &range) const;
    void connectionClosed();
    void noteActivity();

private:
    struct Private;

    void accept();
    void trimLater();

    FileStore store;
    std::unique_ptr<Private> d;
};

#endif // MANAGEMENTSERVER_H
