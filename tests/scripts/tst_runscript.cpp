// The README's run command as a newcomer meets it: scripts/run.sh builds the
// client and the server only, starts the server, waits until it listens and
// then starts the client; a port held by another program stops it with its
// own message, whatever log an earlier run left behind. The script runs in a
// copy of the tree whose set-up, build and client are stand-ins.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "serverprocess.h"

class TestRunScript : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void buildsAndStartsServerThenClient();
    void portTakenIsToldDespiteAnOldLog();

private:
    bool write(const QString &relative, const QByteArray &text, bool executable = false);
    QByteArray read(const QString &relative) const;
    int run();

    std::unique_ptr<QTemporaryDir> tree;
    QByteArray errors;
};

bool TestRunScript::write(const QString &relative, const QByteArray &text, bool executable)
{
    const QString path = tree->filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QByteArray TestRunScript::read(const QString &relative) const
{
    QFile file(tree->filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

void TestRunScript::init()
{
    tree = std::make_unique<QTemporaryDir>();
    QFile script(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../scripts/run.sh"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    QVERIFY(write("scripts/run.sh", script.readAll()));
    QVERIFY(write("scripts/setup.sh", "exit 0\n"));
    QVERIFY(write("scripts/build.sh", "echo \"$@\" >\"$(dirname \"$0\")/../built\"\n"));
    QVERIFY(QDir().mkpath(tree->filePath("build/server")));
    QVERIFY(QFile::link(ServerProcess::binary(), tree->filePath("build/server/lanzhou-server")));
    // The client notes whether the server was listening when it started.
    QVERIFY(write("build/lanzhou",
                  "#!/usr/bin/env bash\n"
                  "if (exec 3<>/dev/tcp/127.0.0.1/8091) 2>/dev/null; then r=listening; else r=closed; fi\n"
                  "echo $r >\"$(dirname \"$0\")/../client\"\n",
                  true));
}

int TestRunScript::run()
{
    QProcess script;
    script.start(QStringLiteral("bash"), {tree->filePath("scripts/run.sh")});
    if (!script.waitForFinished(60000))
        return -1;
    errors = script.readAllStandardError();
    return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
}

void TestRunScript::buildsAndStartsServerThenClient()
{
    QCOMPARE(run(), 0);
    QVERIFY2(!errors.contains("did not start"), errors.constData());
    QCOMPARE(read("built"), QByteArray("lanzhou lanzhou-server"));
    QCOMPARE(read("client"), QByteArray("listening"));
    QVERIFY(read("server-data/server.log").startsWith("listening on 127.0.0.1:8091"));
    // The server ends with the client.
    QTRY_VERIFY(QTcpServer().listen(QHostAddress::LocalHost, 8091));
}

void TestRunScript::portTakenIsToldDespiteAnOldLog()
{
    QVERIFY(write("server-data/server.log", "listening on 127.0.0.1:8091\n"));
    QTcpServer other;
    QVERIFY(other.listen(QHostAddress::LocalHost, 8091));
    QCOMPARE(run(), 1);
    QVERIFY2(errors.contains("is port 8091 taken by another program?"), errors.constData());
    QVERIFY(read("client").isEmpty());
}

QTEST_MAIN(TestRunScript)
#include "tst_runscript.moc"
