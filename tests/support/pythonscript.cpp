#include "pythonscript.h"

#include <QProcess>
#include <QProcessEnvironment>

QByteArray PythonScript::run(const QString &script, const QStringList &args, QString *error)
{
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PYTHONUTF8"), QStringLiteral("1"));
    python.setProcessEnvironment(env);
    python.start(QStringLiteral(PYTHON3), QStringList{QStringLiteral("-c"), script} + args);
    if (!python.waitForFinished(20000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        *error = QString::fromUtf8(python.readAllStandardError());
        return QByteArray();
    }
    return python.readAllStandardOutput();
}
