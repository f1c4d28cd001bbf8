#pragma once

class QWidget;

namespace platform {

// The screen-wide mouse pointer: the hourglass while a command takes time, otherwise the
// default. It covers every window of the program.
enum class ScreenPointer { Default, Hourglass };

void setScreenPointer(ScreenPointer pointer);
ScreenPointer screenPointer();

// Sets a screen pointer for a scope and puts the previous one back afterwards.
class ScreenPointerGuard {
public:
    explicit ScreenPointerGuard(ScreenPointer pointer);
    ~ScreenPointerGuard();
    ScreenPointerGuard(const ScreenPointerGuard&) = delete;
    ScreenPointerGuard& operator=(const ScreenPointerGuard&) = delete;

private:
    ScreenPointer previous_;
};

// The pointer of one window or control: the hourglass or whatever the widget shows normally.
void setWindowPointer(QWidget* window, ScreenPointer pointer);

} // namespace platform
