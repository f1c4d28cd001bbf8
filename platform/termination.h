#pragma once

#include <functional>

namespace platform {

// A polite request from outside to end the program (SIGTERM, as a task manager or the
// system sends it). The handler runs on the event thread, where it may ask the user and
// end the program or not.
void onTerminationRequest(std::function<void()> handler);

} // namespace platform
