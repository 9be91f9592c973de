#include "serverprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QTcpSocket>
#include <QThread>

#include "http.h"

ServerProcess::ServerProcess(bool demo, const QStringList &extraArgs) : demo(demo), extraArgs(extraArgs)
{
    process.setProcessChannelMode(QProcess::MergedChannels);
}

ServerProcess::~ServerProcess()
{
    stop();
}

bool ServerProcess::start()
{
    QStringList args{QStringLiteral("--port"), QStringLiteral("8091"), QStringLiteral("--data"), dir.path()};
    if (demo)
        args << QStringLiteral("--demo");
    args << extraArgs;
    process.start(QStringLiteral(SERVER_BINARY), args);
    if (!process.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 15000) {
        QTcpSocket s;
        s.connectToHost(QStringLiteral("127.0.0.1"), 8091);
        if (s.waitForConnected(200))
            return true;
        if (process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(30);
    }
    return false;
}

void ServerProcess::stop()
{
    if (process.state() != QProcess::NotRunning) {
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(2000);
        }
    }
}

void ServerProcess::kill()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

qint64 ServerProcess::residentKiB() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
    if (process.state() != QProcess::Running || !status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

QByteArray ServerProcess::raw(const QByteArray &request, int quietMs)
{
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), 8091);
    if (!s.waitForConnected(3000))
        return QByteArray();
    s.write(request);
    QByteArray all;
    while (s.waitForReadyRead(quietMs))
        all += s.readAll();
    return all + s.readAll();
}

QString ServerProcess::binary()
{
    return QStringLiteral(SERVER_BINARY);
}

QJsonObject ServerProcess::call(const QString &entity, const QString &operation, const QJsonObject &request)
{
    Http http;
    return http.SendData(entity + QLatin1Char('/') + operation, request);
}

QJsonObject ServerProcess::add(const QString &entity, const QJsonObject &record)
{
    return call(entity, QStringLiteral("add"), QJsonObject{{"dList", QJsonArray{record}}});
}

QJsonArray ServerProcess::rows(const QString &entity, const QString &conditionStr)
{
    QJsonObject req{{"curPage", 1}, {"pageSize", 0}, {"order", "desc"}};
    if (!conditionStr.isEmpty())
        req.insert("conditionStr", conditionStr);
    return call(entity, QStringLiteral("findByCondition"), req).value("dList").toArray();
}
