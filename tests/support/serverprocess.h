#ifndef SERVERPROCESS_H
#define SERVERPROCESS_H

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The real management server, started for one test on 127.0.0.1:8091 with an
// empty data folder of its own (and the demo data when asked).
class ServerProcess
{
public:
    explicit ServerProcess(bool demo = false, const QStringList &extraArgs = {});
    ~ServerProcess();

    // Starts the server and waits until it accepts connections.
    bool start();
    void stop();
    // Ends the server at once (SIGKILL), as a crash would; start() again reopens the same data folder.
    void kill();
    // The server program's path, for tests that run it themselves.
    static QString binary();
    QString dataDir() const { return dir.path(); }
    // The server's resident memory in KiB (from /proc), or -1 when it is not running.
    qint64 residentKiB() const;

    // One request written byte for byte over a fresh connection, and everything
    // the server sent back until it closed or fell silent.
    static QByteArray raw(const QByteArray &request, int quietMs = 5000);

    // One JSON operation through the client's transport, for arranging and checking.
    static QJsonObject call(const QString &entity, const QString &operation, const QJsonObject &request);
    // Adds one record and returns the result object.
    static QJsonObject add(const QString &entity, const QJsonObject &record);
    // Every record of an entity matching a condition (all pages).
    static QJsonArray rows(const QString &entity, const QString &conditionStr = QString());

private:
    QTemporaryDir dir;
    QProcess process;
    bool demo;
    QStringList extraArgs;
};

#endif // SERVERPROCESS_H
