#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal boxes and dialogs that product code runs with exec().
// Queue what is expected, in order; a timer finds the active modal widget,
// checks it and presses the named button (or runs a handler). A modal widget
// that nobody expected, or an expectation that nothing meets in time, is
// recorded as a problem and the widget is closed (a dialog rejected), so a
// test never hangs.
// A widget that was handled and comes back on top when a box over it closes
// is left alone unless the next expectation is for its class.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalAnswerer(int watchdogMs = 20000, QObject *parent = nullptr);
    ~ModalAnswerer() override;

    // A message box: its title equals `title` (unless null), its text or
    // informative text contains `textPart`; the button whose text (without
    // '&') equals `button` is clicked.
    ModalAnswerer &box(const QString &title, const QString &textPart, const QString &button);
    // Any modal widget of the class (inherits), handed to `handler`; the handler closes it.
    ModalAnswerer &dialog(const char *className, Handler handler);
    // The same, but `handler` runs once the answerer's own turn is over, so the
    // boxes it raises are answered as well (queue them in the handler); the
    // widget is closed after the handler when it is still open.
    ModalAnswerer &drive(const char *className, Handler handler);
    // Escape pressed on the next modal widget.
    ModalAnswerer &escape();

    bool allAnswered() const { return queue.isEmpty(); }
    QStringList problems() const { return issues; }
    // Title, text and informative text of every box seen, in order.
    QStringList seen() const { return seenTexts; }

    static bool clickButton(QWidget *w, const QString &text);
    static QString describe(QWidget *w);

private:
    struct Expectation {
        QString title;
        QString textPart;
        QString button;
        QString className;
        Handler handler;
        bool pressEscape = false;
        bool later = false;
    };

    void poll();
    void handle(QWidget *w, const Expectation &e);

    QList<Expectation> queue;
    QStringList issues;
    QStringList seenTexts;
    QTimer timer;
    QElapsedTimer sinceProgress;
    int watchdogMs;
    QPointer<QWidget> lastHandled;
    QList<QPointer<QWidget>> handledOpen; // handled and still shown
};

// In a test function: every queued expectation met, nothing unexpected seen.
#define ANSWERED(answerer)                                                                                   \
    do {                                                                                                     \
        QVERIFY2((answerer).problems().isEmpty(), qPrintable((answerer).problems().join('\n')));           \
        QVERIFY((answerer).allAnswered());                                                                   \
    } while (false)

#endif // MODALANSWERER_H
