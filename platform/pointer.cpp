#include "platform/pointer.h"

#include <QGuiApplication>
#include <QWidget>

namespace platform {

namespace {
ScreenPointer current = ScreenPointer::Default;
}

void setScreenPointer(ScreenPointer pointer)
{
    if (pointer == current)
        return;
    current = pointer;
    // At most one override cursor of ours is on the stack at any time.
    if (pointer == ScreenPointer::Hourglass)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

ScreenPointer screenPointer()
{
    return current;
}

ScreenPointerGuard::ScreenPointerGuard(ScreenPointer pointer) : previous_(current)
{
    setScreenPointer(pointer);
}

ScreenPointerGuard::~ScreenPointerGuard()
{
    setScreenPointer(previous_);
}

void setWindowPointer(QWidget* window, ScreenPointer pointer)
{
    if (!window)
        return;
    if (pointer == ScreenPointer::Hourglass)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
}

} // namespace platform
