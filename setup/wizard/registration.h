#pragma once

#include <QString>

#include "setup/wizard/copywindowhooks.h"

namespace vuska::setup {

// The uninstall entry under HKEY_LOCAL_MACHINE; the installation's own record goes under the
// game's key (SettingsKey). Reads name the keys plainly, writes with a trailing backslash.
inline const QString UninstallKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vuska 1.22 Freeware");
inline const QString UninstallKeyForWrite =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vuska 1.22 Freeware\\");

// The shortcuts of the program group, in the order they are made (and removed), with the
// file of the installation folder each one opens, and what the desktop files and finds them
// by: a Finnish comment and keywords (';'-separated), and whether the entry starts the game
// (its windows then belong to the entry). All three are filed with the game: the help opens
// in the game's own help window, the read-me is the game's quick guide.
struct Shortcut {
    const char* name;
    const char* target;
    const char* comment;
    const char* keywords;
    bool startsGame;
};
inline constexpr Shortcut Shortcuts[] = {
    {"Vuska", "vuska.exe", "Korttipeli yhdelle pelaajalle tietokonetta vastaan",
     "korttipeli;kortit;tikkipeli;peli;", true},
    {"Vuska-ohje", "vuska.hlp", "Vuskan ohje: säännöt, pelaaminen ja asetukset", "ohje;säännöt;korttipeli;",
     true},
    {"Vuska-pikaohje", "readme.txt", "Vuskan lueminut-tiedosto: lyhyt esittely, asennus ja ehdot",
     "lueminut;pikaohje;korttipeli;", false},
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
