#ifndef MANAGEMENTSERVER_H
#define MANAGEMENTSERVER_H

#include <QString>
#include <memory>

#include "filestore.h"

namespace httplib {
class Server;
class ContentReader;
struct Request;
struct Response;
}

// The HTTP side of the server on 127.0.0.1: the JSON operations under
// /android/, the note upload and the stored files under /account/.
class ManagementServer
{
public:
    explicit ManagementServer(const QString &dataDir);
    ~ManagementServer();

    // Binds the port (refusing one that another socket holds).
    bool bind(int port, QString *error);
    // Serves until the process ends.
    bool run();

    // Largest request body taken at all (an upload), and largest JSON body.
    static constexpr size_t kMaxPayload = 64u * 1024u * 1024u;
    static constexpr int kMaxJsonBody = 4 * 1024 * 1024;

private:
    void operation(const httplib::Request &req, httplib::Response &res);
    void upload(const httplib::Request &req, httplib::Response &res, const httplib::ContentReader &reader);
    void serveFile(const httplib::Request &req, httplib::Response &res, const QString &folder, const QString &name);

    FileStore files;
    std::unique_ptr<httplib::Server> server;
};

#endif // MANAGEMENTSERVER_H
