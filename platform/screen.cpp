#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::screen {

namespace {
int overrideX = 0;
int overrideY = 0;

int fromDpi(double dpi)
{
    return dpi > 0 ? qRound(1440.0 / dpi) : 15;
}

QScreen* primary()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                         : nullptr;
}
} // namespace

int twipsPerPixelX()
{
    if (overrideX > 0)
        return overrideX;
    QScreen* s = primary();
    return s ? fromDpi(s->logicalDotsPerInchX()) : 15;
}

int twipsPerPixelY()
{
    if (overrideY > 0)
        return overrideY;
    QScreen* s = primary();
    return s ? fromDpi(s->logicalDotsPerInchY()) : 15;
}

void setTwipsPerPixelOverride(int x, int y)
{
    overrideX = x;
    overrideY = y;
}

} // namespace platform::screen
