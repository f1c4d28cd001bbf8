#include "tests/support/fakes.h"

#include <QCoreApplication>

#include "platform/lifetime.h"

namespace vuska::test {

bool FakeClock::pause(int milliseconds)
{
    ++pauses;
    pausedMilliseconds += milliseconds;
    now_ += milliseconds / 1000.0;
    if (onPause)
        onPause();
    QCoreApplication::processEvents();
    return !platform::lifetime::ending();
}

double ScriptedRandom::next()
{
    ++draws;
    if (!script_.empty()) {
        const double r = script_.front();
        script_.pop_front();
        return r;
    }
    return fallback_.next();
}

} // namespace vuska::test
