#pragma once

namespace vuska::setup {

// What the program says about itself: its title (the caption of every wizard page), its
// version, and the texts a Windows version resource carried.
struct ProgramInfo {
    const char* title;
    const char* version;
    const char* fileDescription;
    const char* productName;
    const char* internalName;
    const char* originalFilename;
};

inline constexpr ProgramInfo programInfo{
    "Vuska-ohjelman asennus",
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

} // namespace vuska::setup
