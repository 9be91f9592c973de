#include "qmain.h"

#include <QApplication>
#include <QDialog>
#include <QTranslator>

#include <memory>

#include "logindialog.h"
#include "summarywindow.h"

int qMain(int argc, char **argv)
{
    QApplication a(argc, argv);
    QTranslator translator;
    // Chinese texts of the edit menus; without the file the toolkit's own texts show.
    (void)translator.load(QStringLiteral(":/qtbase_partial_zh_CN.qm"));
    QApplication::installTranslator(&translator);

    // The log-in dialog owns the logged-in user, which the dashboard and its
    // windows point to: it is declared first so that it is destroyed last,
    // although it is built after the dashboard.
    std::unique_ptr<LoginDialog> login;
    SummaryWindow w;
    login = std::make_unique<LoginDialog>();
    // Leaving the log-in dialog ends the program whatever wait is under way
    // (the log-in's own request, its checks, the dashboard's first requests
    // after the hand-over): exit() ends every running loop and keeps new ones
    // from running, so every wait returns at once and exec() returns Rejected.
    QObject::connect(login.get(), SIGNAL(sendUser(DomainUser&)), &w, SLOT(receiveUser(DomainUser&)));
    QObject::connect(login.get(), &QDialog::rejected, qApp, [] { QCoreApplication::exit(0); });

    int code = 0;
    if (login->exec() == QDialog::Accepted) {
        w.showMaximized();
        code = QApplication::exec();
    }
    return code;
}
