#ifndef INPUTHOLD_H
#define INPUTHOLD_H

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Holds off the user's input to one window while the window waits for the
// server. A request waits in a local event loop that still delivers clicks,
// keys and shortcuts; while a hold is alive, those that are meant for the
// window (its widgets and its actions) are dropped, so nothing the user does
// during the wait can start a second exchange. Other windows, and dialogs the
// window opens, are not affected. Closing the window is not held off; the
// hold tells of it through `closed`.
class InputHold : public QObject
{
public:
    explicit InputHold(QWidget *window, std::function<void()> closed = {});
    ~InputHold() override;
    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongs(QObject *object) const;

    QPointer<QWidget> window;
    std::function<void()> closed;
};

#endif // INPUTHOLD_H
