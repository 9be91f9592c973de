#include "qmain.h"

#include <QApplication>
#include <QTranslator>

int qMain(int argc, char **argv)
{
    QApplication a(argc, argv);
    QTranslator translator;
    if (translator.load(QStringLiteral(":/qtbase_partial_zh_CN.qm")))
        QApplication::installTranslator(&translator);
    return 0;
}
