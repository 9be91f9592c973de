#ifndef PYTHONSCRIPT_H
#define PYTHONSCRIPT_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// A script run by Debian's Python, which has openpyxl, the independent
// reader and writer of workbooks that the tests compare with.
class PythonScript
{
public:
    // What the script printed; empty, with its error output, when it failed.
    static QByteArray run(const QString &script, const QStringList &args, QString *error);
};

#endif // PYTHONSCRIPT_H
