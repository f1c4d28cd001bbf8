#pragma once

#include <QString>
#include <QtGlobal>

namespace vuska::setup {

// What the program says about itself: its title (the caption of every wizard page), its
// version, and the texts a Windows version resource carried. The title is the program's name
// as it stands (the application name), in Finnish; the pages show it in the user's language
// through programTitle().
struct ProgramInfo {
    const char* title;
    const char* version;
    const char* fileDescription;
    const char* productName;
    const char* internalName;
    const char* originalFilename;
};

inline constexpr ProgramInfo programInfo{
    //: The caption of every page of the setup wizard.
    QT_TRANSLATE_NOOP("vuska::setup::ProgramInfo", "Vuska-ohjelman asennus"),
    "1.02.0002",
    "Vuskan asennus- ja poisto-ohjelma",
    "Vuska-ohjelman asennus/asennuksen poisto",
    "setup",
    "setup.exe",
};

// Makes the running application say so: its name and version, the resource texts as
// properties of the application object (FileDescription, ProductName, InternalName,
// OriginalFilename, FileVersion, ProductVersion), and the game's icon for every window.
void applyProgramInfo();

// The title as the pages show it, in the language chosen at start.
QString programTitle();

} // namespace vuska::setup
