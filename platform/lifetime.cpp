#include "platform/lifetime.h"

#include <QCoreApplication>

namespace platform::lifetime {

namespace {
bool isEnding = false;
std::function<void(int)>& handlerSlot()
{
    static std::function<void(int)> handler;
    return handler;
}
} // namespace

void endProgram(int exitCode)
{
    isEnding = true;
    if (handlerSlot())
        handlerSlot()(exitCode);
    else
        QCoreApplication::exit(exitCode);
}

bool ending()
{
    return isEnding;
}

void setEndHandler(std::function<void(int)> handler)
{
    handlerSlot() = std::move(handler);
}

void reset()
{
    isEnding = false;
}

} // namespace platform::lifetime
