#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "platform/clock.h"
#include "platform/lifetime.h"
#include "tests/support/sandbox.h"

class TestPlatformClock : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::lifetime::reset(); }

    // A pause never ends early, however the timers round (a timer of two seconds or more is
    // a coarse one unless told otherwise), and events are handled during it.
    void pauseWaitsTheWholeTime()
    {
        platform::SystemClock clock;
        int ticks = 0;
        QTimer beat;
        connect(&beat, &QTimer::timeout, this, [&] { ++ticks; });
        beat.start(5);
        for (const int ms : {30, 77, 2000, 2000}) {
            QElapsedTimer elapsed;
            elapsed.start();
            QVERIFY(clock.pause(ms));
            QVERIFY2(elapsed.elapsed() >= ms, qPrintable(QStringLiteral("%1 ms of %2").arg(elapsed.elapsed()).arg(ms)));
        }
        QVERIFY(ticks > 0);
    }

    // Ending the program cuts a pause short and tells the caller to stop.
    void endingStopsThePause()
    {
        platform::SystemClock clock;
        QTimer::singleShot(20, [] { platform::lifetime::endProgram(); });
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(!clock.pause(5000));
        QVERIFY(elapsed.elapsed() < 4000);
        QVERIFY(!clock.pause(10));
    }
};

VUSKA_TEST_MAIN(TestPlatformClock)
#include "test_platform_clock.moc"
