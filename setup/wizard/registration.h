#pragma once

#include <QString>

#include "game/app/appid.h"
#include "setup/wizard/copywindowhooks.h"

namespace vuska::setup {

// The uninstall entry under HKEY_LOCAL_MACHINE; the installation's own record goes under the
// game's key (SettingsKey). Reads name the keys plainly, writes with a trailing backslash.
inline const QString UninstallKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vuska 1.22 Freeware");
inline const QString UninstallKeyForWrite =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vuska 1.22 Freeware\\");

// The shortcuts of the program group, in the order they are made (and removed), with the
// file of the installation folder each one opens and the app id of the program whose windows
// belong to the entry (StartupWMClass), if any. All three are filed with the game; what the
// desktop shows and finds of each beside its name is in the menu texts (a resource of setup).
struct Shortcut {
    const char* name;
    const char* target;
    const char* windowClass;
};
inline constexpr Shortcut Shortcuts[] = {
    {"Vuska", "vuska.exe", GameAppId},
    {"Vuska-ohje", "vuska.hlp", GameHelpAppId},
    {"Vuska-pikaohje", "readme.txt", nullptr},
};

// The installer's choices that the registration records (mdlVuskanAsennus's variables of the
// same names). TargetFolder has no trailing backslash.
struct InstallationChoices {
    QString TargetFolder;
    bool CreateTargetFolder = false;
    QString ProgramGroup;
    bool CreateProgramGroup = false;
    bool NoProgramGroup = false;
};

// Records the installation once its files are in place: the installation folder, the
// program group (made when new) with its three shortcuts unless none are wanted, and the
// uninstall entry. Each stage is shown in the copy window's status lines with a turn of
// the message loop; a group that cannot be made and an uninstall entry that cannot be
// written are reported, and the registration goes on to its end either way.
//
// The record under the game's key comes first and whole: when the store does not take it,
// nothing of it is kept, nothing else is made, nothing is shown, and the answer is false (the
// caller reports it and takes the installation back). True once it is recorded.
bool RegisterInstallation(const InstallationChoices& choices, const CopyWindowHooks& window);

} // namespace vuska::setup
