#include "platform/clock.h"

#include <QElapsedTimer>
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
    // A timer may fire a little early (a coarse one by up to 5 %), so the pause goes on until
    // the whole time has passed on the monotonic clock.
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (qint64 left = milliseconds; left > 0 && !lifetime::ending(); left = milliseconds - elapsed.elapsed()) {
        timer.start(int(left));
        loop.exec();
    }
    return !lifetime::ending();
}

} // namespace platform
