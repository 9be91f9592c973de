#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>

ModalAnswerer::ModalAnswerer(int watchdogMs, QObject *parent) : QObject(parent), watchdogMs(watchdogMs)
{
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start();
    sinceProgress.start();
}

ModalAnswerer::~ModalAnswerer() = default;

ModalAnswerer &ModalAnswerer::box(const QString &title, const QString &textPart, const QString &button)
{
    Expectation e;
    e.title = title;
    e.textPart = textPart;
    e.button = button;
    e.className = QStringLiteral("QMessageBox");
    if (queue.isEmpty())
        sinceProgress.restart();
    queue.append(e);
    return *this;
}

ModalAnswerer &ModalAnswerer::dialog(const char *className, Handler handler)
{
    Expectation e;
    e.className = QString::fromLatin1(className);
    e.handler = std::move(handler);
    if (queue.isEmpty())
        sinceProgress.restart();
    queue.append(e);
    return *this;
}

ModalAnswerer &ModalAnswerer::drive(const char *className, Handler handler)
{
    dialog(className, std::move(handler));
    queue.last().later = true;
    return *this;
}

ModalAnswerer &ModalAnswerer::escape()
{
    Expectation e;
    e.pressEscape = true;
    if (queue.isEmpty())
        sinceProgress.restart();
    queue.append(e);
    return *this;
}

QString ModalAnswerer::describe(QWidget *w)
{
    QString d = QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" \"") + w->windowTitle()
                + QLatin1Char('"');
    if (auto *mb = qobject_cast<QMessageBox *>(w))
        d += QStringLiteral(" text=\"") + mb->text() + QStringLiteral("\" info=\"") + mb->informativeText()
             + QLatin1Char('"');
    return d;
}

bool ModalAnswerer::clickButton(QWidget *w, const QString &text)
{
    const auto buttons = w->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : buttons) {
        QString t = b->text();
        t.remove(QLatin1Char('&'));
        if (t == text && b->isVisible()) {
            b->click();
            return true;
        }
    }
    return false;
}

// Ends a modal widget that was not answered. A box without an escape button
// ignores close(), so a dialog is rejected instead.
static void dismiss(QWidget *w)
{
    if (auto *dialog = qobject_cast<QDialog *>(w))
        dialog->reject();
    else
        w->close();
}

void ModalAnswerer::handle(QWidget *w, const Expectation &e)
{
    if (auto *mb = qobject_cast<QMessageBox *>(w))
        seenTexts << mb->windowTitle() << mb->text() << mb->informativeText();
    if (e.pressEscape) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        return;
    }
    if (!w->inherits(e.className.toLatin1().constData())) {
        issues << QStringLiteral("expected %1, found %2").arg(e.className, describe(w));
        dismiss(w);
        return;
    }
    if (e.handler && e.later) {
        QPointer<QWidget> widget(w);
        QTimer::singleShot(0, w, [widget, handler = e.handler] {
            handler(widget);
            if (widget && widget->isVisible())
                widget->close();
        });
        return;
    }
    if (e.handler) {
        e.handler(w);
        return;
    }
    auto *mb = qobject_cast<QMessageBox *>(w);
    if (!e.title.isNull() && mb->windowTitle() != e.title)
        issues << QStringLiteral("title \"%1\" expected, found %2").arg(e.title, describe(w));
    if (!mb->text().contains(e.textPart) && !mb->informativeText().contains(e.textPart))
        issues << QStringLiteral("text with \"%1\" expected, found %2").arg(e.textPart, describe(w));
    if (!clickButton(w, e.button)) {
        issues << QStringLiteral("no button \"%1\" on %2").arg(e.button, describe(w));
        dismiss(w);
    }
}

void ModalAnswerer::poll()
{
    if (lastHandled && !lastHandled->isVisible())
        lastHandled = nullptr;
    handledOpen.removeIf([](const QPointer<QWidget> &h) { return !h || !h->isVisible(); });
    QWidget *w = QApplication::activeModalWidget();
    if (w && w->isVisible() && w != lastHandled) {
        lastHandled = w;
        sinceProgress.restart();
        // A widget handled before is on top again because a box over it
        // closed: it is only handled anew when an expectation asks for it.
        const bool back = handledOpen.contains(w);
        if (back && (queue.isEmpty() || !(queue.first().pressEscape
                                          || w->inherits(queue.first().className.toLatin1().constData()))))
            return;
        handledOpen.append(w);
        if (queue.isEmpty()) {
            issues << QStringLiteral("unexpected modal widget: %1").arg(describe(w));
            if (auto *mb = qobject_cast<QMessageBox *>(w))
                seenTexts << mb->windowTitle() << mb->text() << mb->informativeText();
            dismiss(w);
            return;
        }
        handle(w, queue.takeFirst());
        return;
    }
    if (w && w == lastHandled && w->isVisible() && sinceProgress.elapsed() > watchdogMs) {
        issues << QStringLiteral("modal widget did not close: %1").arg(describe(w));
        dismiss(w);
        sinceProgress.restart();
        return;
    }
    if (!queue.isEmpty() && sinceProgress.elapsed() > watchdogMs) {
        issues << QStringLiteral("nothing modal appeared for the expected %1 \"%2\"")
                      .arg(queue.first().className, queue.first().textPart);
        queue.removeFirst();
        sinceProgress.restart();
    }
}
