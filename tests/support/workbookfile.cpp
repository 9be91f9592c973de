#include "workbookfile.h"

#include <QDebug>
#include <QJsonDocument>
#include <QProcess>

#include "guidriver.h"

void WorkbookFile::choose(ModalAnswerer &answerer, const QString &path)
{
    GuiDriver::chooseFile(answerer, path);
}

QJsonArray WorkbookFile::rows(const QString &path)
{
    const char *script = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print(json.dumps([[c.value for c in row] for row in ws.iter_rows()], default=str))
)PY";
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PYTHONUTF8"), QStringLiteral("1"));
    python.setProcessEnvironment(env);
    python.start(QStringLiteral(PYTHON3), {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!python.waitForFinished(20000) || python.exitCode() != 0) {
        qWarning() << "openpyxl:" << python.readAllStandardError();
        return QJsonArray();
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}
