#pragma once

namespace vuska {

// The names the desktop knows the game by: the Wayland app id and the X11 window class. A menu
// entry that starts the game names its id in StartupWMClass, so the dock and the task switcher
// show the entry's icon and name for the game's windows whatever the entry's file is called
// (setup names the entries after the user's program group). The help, started alone from its
// own entry, goes by an id of its own, so that no dock takes the game's windows for the help's
// entry or the help's window for the game's.
inline constexpr char GameAppId[] = "fi.vuska.Vuska";
inline constexpr char GameHelpAppId[] = "fi.vuska.Vuska.Help";

} // namespace vuska
