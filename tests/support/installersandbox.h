#pragma once

#include <functional>
#include <optional>
#include <span>

#include <QString>
#include <QTemporaryDir>

#include "setup/wizard/filetable.h"

namespace vuska::test {

// A throw-away machine for the installer: fresh XDG folders (so a fresh registry store and
// Programs folder) and a drive map whose C: is a folder of the sandbox holding
// "Program Files", with Z: the host's root. Free space reads as `free` bytes until a test
// says otherwise. Everything is put back when it goes.
class InstallerSandbox {
public:
    explicit InstallerSandbox(std::optional<qint64> free = 1'000'000'000);
    ~InstallerSandbox();
    InstallerSandbox(const InstallerSandbox&) = delete;
    InstallerSandbox& operator=(const InstallerSandbox&) = delete;

    QString root() const { return dir_.path(); }
    // The host folder of C:.
    QString cRoot() const { return dir_.path() + QStringLiteral("/c"); }
    QString configHome() const { return dir_.path() + QStringLiteral("/config"); }
    QString dataHome() const { return dir_.path() + QStringLiteral("/data"); }

    // Replaces the drive map (one LETTER=/folder a line) and makes the drive layer read it.
    void writeDriveMap(const QString& lines);
    // Makes a folder (with its parents) or a file under the sandbox's host root.
    QString makeFolder(const QString& relative);
    QString makeFile(const QString& relative);
    // An installation set where setup is started from (C:\Temp\vuska122): the files, each
    // of its size, filled with 'x'. Returns its host folder.
    QString makeInstallationSet(std::span<const setup::InstallFile> files);

    // Free space from now on: a fixed answer (nothing = the query fails); every query counts.
    void setFreeBytes(std::optional<qint64> free);
    int freeSpaceQueries() const { return queries_; }

private:
    QTemporaryDir dir_;
    QByteArray savedConfig_;
    QByteArray savedData_;
    std::optional<qint64> free_;
    int queries_ = 0;
};

} // namespace vuska::test
