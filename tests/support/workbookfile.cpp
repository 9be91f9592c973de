#include "workbookfile.h"

#include <QDebug>
#include <QJsonDocument>

#include "guidriver.h"
#include "pythonscript.h"

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
    QString error;
    const QByteArray out = PythonScript::run(QString::fromLatin1(script), {path}, &error);
    if (out.isEmpty()) {
        qWarning() << "openpyxl:" << error;
        return QJsonArray();
    }
    return QJsonDocument::fromJson(out).array();
}
