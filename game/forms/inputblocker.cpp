#include "game/forms/inputblocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace vuska {

InputBlocker::InputBlocker(QWidget* window) : window_(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void InputBlocker::drain()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
        break;
    default:
        // A close request is the window's own to answer: swallowing it would leave it
        // accepted, and the window would vanish while the program runs on.
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == window_;
}

} // namespace vuska
