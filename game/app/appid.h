#pragma once

namespace platform {

// The names the desktop knows each program by: the Wayland app id and, for the game, the X11
// window class too. A menu entry that starts a program names its id in StartupWMClass, so the
// dock and the task switcher show the entry's icon and name for the program's windows whatever
// the entry's file is called (setup names the game's entries after the user's program group).
inline constexpr char GameAppId[] = "fi.vuska.Vuska";
inline constexpr char SetupAppId[] = "fi.vuska.Vuska.Setup";

} // namespace platform
