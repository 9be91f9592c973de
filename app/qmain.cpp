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
    // Leaving the log-in dialog ends the program, even while its request still
    // waits for a server that does not answer: exit() ends every running loop,
    // the waiting one included, and exec() returns Rejected. Once the user has
    // been handed on, the dashboard's own requests are left to finish instead
    // (ending them early would report them as failed); the dialog then ends
    // rejected when they are done.
    bool handedOn = false;
    QObject::connect(login.get(), &LoginDialog::sendUser, qApp, [&handedOn] { handedOn = true; });
    QObject::connect(login.get(), SIGNAL(sendUser(DomainUser&)), &w, SLOT(receiveUser(DomainUser&)));
    QObject::connect(login.get(), &QDialog::rejected, qApp, [&handedOn] {
        if (!handedOn)
            QCoreApplication::exit(0);
    });

    int code = 0;
    if (login->exec() == QDialog::Accepted) {
        w.showMaximized();
        code = QApplication::exec();
    }
    return code;
}
