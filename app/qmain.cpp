#include "qmain.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <memory>

#include "logindialog.h"
#include "summarywindow.h"

namespace {

// Runs a function once, as soon as a widget has been painted for the first time.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget *widget, std::function<void()> then) : QObject(widget), then(std::move(then))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Once this paint has reached the screen.
            QTimer::singleShot(0, parent(), then);
        }
        return false;
    }

private:
    std::function<void()> then;
};

} // namespace

int qMain(int argc, char **argv)
{
    QApplication a(argc, argv);
    QTranslator translator;
    // Chinese texts of the edit menus; without the file the toolkit's own texts show.
    (void)translator.load(QStringLiteral(":/qtbase_partial_zh_CN.qm"));
    QApplication::installTranslator(&translator);

    // The log-in dialog owns the logged-in user, which the dashboard and its
    // windows point to: it is declared first so that it is destroyed last.
    LoginDialog login;
    std::unique_ptr<SummaryWindow> w;
    // The dashboard with its six module windows takes longer to build than
    // the log-in window: it is built once the log-in window is on screen,
    // while the user types, and at the latest when the user is handed over.
    const auto dashboard = [&w] {
        if (!w)
            w = std::make_unique<SummaryWindow>();
        return w.get();
    };
    new AfterFirstPaint(&login, dashboard);
    QObject::connect(&login, &LoginDialog::sendUser, &login,
                     [&dashboard](DomainUser &user) { dashboard()->receiveUser(user); });
    // Leaving the log-in dialog ends the program whatever wait is under way
    // (the log-in's own request, its checks, the dashboard's first requests
    // after the hand-over): exit() ends every running loop and keeps new ones
    // from running, so every wait returns at once and exec() returns Rejected.
    QObject::connect(&login, &QDialog::rejected, qApp, [] { QCoreApplication::exit(0); });

    int code = 0;
    if (login.exec() == QDialog::Accepted) {
        dashboard()->showMaximized();
        code = QApplication::exec();
    }
    return code;
}
