#pragma once

namespace platform {

// Why a window is asked to close: its own close box, the program's code, the session ending,
// or a request from outside (a task manager, SIGTERM). The numbers are those Windows programs
// were given.
enum class UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };

} // namespace platform
