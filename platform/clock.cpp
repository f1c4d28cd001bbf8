#include "platform/clock.h"

#include <QEventLoop>
#include <QTime>
#include <QTimer>

#include "platform/lifetime.h"

namespace platform {

double SystemClock::timer() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

bool SystemClock::pause(int milliseconds)
{
    if (lifetime::ending())
        return false;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return !lifetime::ending();
}

} // namespace platform
