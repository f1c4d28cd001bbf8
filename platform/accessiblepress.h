#pragma once

#include <functional>

#include <QAccessibleWidget>

namespace platform {

// A control as a screen reader sees it, which it can press when `press` is given: the press is
// the control's click, so it comes through the event loop after the reader's call has returned,
// and like a click it does not reach the control past a modal window other than the control's
// own, nor a disabled control.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget* widget, QAccessible::Role role, std::function<void()> press);
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    std::function<void()> press_;
};

} // namespace platform
