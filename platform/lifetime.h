#pragma once

#include <functional>

namespace platform::lifetime {

// Ends the program: every event loop returns, also nested ones (a pause, a modal dialog),
// and ending() tells the code that unwinds from them not to carry on.
void endProgram(int exitCode = 0);
bool ending();

// Tests watch the end instead of leaving their own event loop; reset() starts afresh.
void setEndHandler(std::function<void(int)> handler);
void reset();

} // namespace platform::lifetime
