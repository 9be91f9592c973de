#include "inputhold.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QShortcut>
#include <QWidget>

InputHold::InputHold(QWidget *window, std::function<void()> closed) : window(window), closed(std::move(closed))
{
    if (window)
        QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool InputHold::belongs(QObject *object) const
{
    if (auto *widget = qobject_cast<QWidget *>(object))
        return widget->window() == window;
    // Shortcuts reach the action (or QShortcut) itself, not a widget.
    if (qobject_cast<QAction *>(object) || qobject_cast<QShortcut *>(object))
        return belongs(object->parent());
    return false;
}

// Presses start things; a release whose press was dropped does nothing, and
// letting releases through never leaves a widget thinking a button is held.
bool InputHold::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        if (window && belongs(watched))
            return true;
        break;
    case QEvent::Close:
        if (window && watched == window && closed)
            closed();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
