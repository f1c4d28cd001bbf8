#include "platform/accessiblepress.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace platform {

PressableAccessible::PressableAccessible(QWidget* widget, QAccessible::Role role, std::function<void()> press)
    : QAccessibleWidget(widget, role), press_(std::move(press))
{
}

QStringList PressableAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (press_)
        names.prepend(pressAction());
    return names;
}

void PressableAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction() || !press_) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    QPointer<QWidget> control = widget();
    QMetaObject::invokeMethod(
        control,
        [control, press = press_] {
            const QWidget* modal = QApplication::activeModalWidget();
            if (control && control->isEnabled() && (!modal || modal == control->window()))
                press();
        },
        Qt::QueuedConnection);
}

} // namespace platform
