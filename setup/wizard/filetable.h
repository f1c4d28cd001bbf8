#pragma once

#include <span>

#include <QString>
#include <QtGlobal>

namespace vuska::setup {

// One file of the installation set: its name and its exact size in bytes.
struct InstallFile {
    const char* name;
    qint64 size;
};

// The installation set in its fixed order (entry 1 first): what setup verifies and copies,
// and what the uninstaller removes. The sizes are those of the files the build packed;
// setup.exe's is the size the build wrote into the finished program (0 in any other
// program that links this table, such as a test).
std::span<const InstallFile> installationFiles();

} // namespace vuska::setup
