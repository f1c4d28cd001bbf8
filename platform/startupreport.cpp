#include "platform/startupreport.h"

#include <chrono>

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace platform {

void StartupReport::watch(QWidget* window)
{
    const QString file = qEnvironmentVariable("VUSKA_STARTUP_REPORT");
    if (file.isEmpty())
        return;
    auto* report = new StartupReport(file);
    report->setParent(window);
    window->installEventFilter(report);
}

bool StartupReport::eventFilter(QObject* watched, QEvent* event)
{
    if (!done_ && event->type() == QEvent::Paint) {
        done_ = true;
        // Reported once the paint has been handled and flushed, from the next turn of the loop.
        QTimer::singleShot(0, this, [this, watched] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            QFile out(file_);
            if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                out.write(QByteArray::number(qlonglong(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count())));
            watched->removeEventFilter(this);
        });
    }
    return false;
}

} // namespace platform
