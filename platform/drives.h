#pragma once

#include <functional>
#include <optional>

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Drives and Windows paths on a Linux desktop. The installer speaks Windows paths
// ("C:\Program Files\Vuska"); this layer maps drive letters to host folders, as users of
// Windows programs on Linux know it, and translates paths both ways.
//
// The drive map is a small text file, $XDG_CONFIG_HOME/vuska-drives/drives.ini (made with the
// defaults when there is none; an existing one is never rewritten), one drive a line:
//
//   C=/home/user/.local/share/vuska-drives/c
//   Z=/
//
// Letters in either case; lines starting with '#' or ';' are comments; a line that is not
// LETTER=/absolute/folder is skipped; a letter named twice takes its last line. The map is
// read once and kept until reset().
//
// By default C: is the per-user folder $XDG_DATA_HOME/vuska-drives/c, which holds
// "Program Files" (both made on first use), and Z: is the root of the host file system.
// Nothing here writes anywhere else: every other call only looks.
//
// The state is shared by the whole process and guarded, so any thread may call in.

namespace platform::drives {

struct Drive {
    QChar letter;     // upper case, 'A' to 'Z'
    QString hostRoot; // absolute host folder, without a trailing slash except for "/"
    bool operator==(const Drive&) const = default;
};

// Why a drive cannot be made current.
enum class DriveError {
    None,
    NoMedium, // the drive's folder is missing (an unplugged stick's mount point)
    NotReady, // the folder is there but cannot be entered or read
    Other,    // no such drive in the map, or not a drive at all
};

// The drives of the map, ordered by letter.
QList<Drive> driveList();
// The drive of a letter in either case; nothing for an unmapped letter or a non-letter.
std::optional<Drive> drive(QChar letter);

// The host path of a Windows path ("C:\Program Files\Vuska", any letter case, '\' or '/'
// between components). Components that exist are found regardless of letter case; the rest
// are kept as written; among several spellings that differ only in case, the exact one wins,
// else the first in code-point order. "." is dropped and ".." never climbs above the drive's
// root. Blanks are kept as typed. Nothing for a path that does not start with a drive letter,
// ':' and a separator, names an unmapped drive, holds a NUL, or would exceed the host's limits
// (a name over NAME_MAX bytes, a path of PATH_MAX bytes or more).
std::optional<QString> toHost(const QString& windowsPath);

// The Windows form of a host path, through the drive whose folder holds it most closely
// (the longest root; on equal roots the earlier letter). The drive root itself is "C:\",
// deeper paths have no trailing backslash. The path is cleaned first; empty when it is not
// absolute, no drive holds it, or it has a backslash (which Windows form cannot say).
QString toWindows(const QString& hostPath);

// Free bytes for an ordinary user on the drive, or nothing when it is unmapped, its folder
// is missing or not a folder, or the query fails.
std::optional<qint64> freeBytes(QChar letter);
// Free bytes for an ordinary user on the file system that holds a Windows path, measured at
// its nearest folder that is there (the path itself, or the nearest one above it on its
// drive; links followed), so that a folder still to be made is measured where it will lie,
// whatever file system its drive's root is on. Nothing as for freeBytes(), and for a path
// that is not in drive form or that the host could not hold.
std::optional<qint64> freeBytesAt(const QString& windowsPath);

// Each drive's current folder, in Windows form with the names as found on disk ("C:\" until
// one is set). Kept in memory only: the process's own working folder never changes.
// Empty for a non-letter.
QString currentFolder(QChar letter);
// Makes an existing folder its drive's current folder. Other for a path not in drive form,
// an unmapped drive, or a folder that is not there; the drive's own state (see check) first;
// NotReady for a folder that cannot be entered or listed. Nothing changes unless None.
DriveError setCurrentFolder(const QString& windowsPath);
// The state of a drive, as a change to it would find it, looked at anew on every call.
DriveError check(QChar letter);

// The names of the folders directly inside a Windows folder (links to folders count), sorted
// without regard to letter case (ties in code-point order); names starting with '.' and names
// Windows form cannot say are left out. Empty when it cannot be read.
QStringList subfolders(const QString& windowsPath);

// Tests replace the free-space query; an empty one restores the real one. The query gets
// the host folder measured (a drive's folder, or the folder nearest a path) and is called only
// for a mapped drive whose folder is there.
using FreeSpaceQuery = std::function<std::optional<qint64>(const QString& hostRoot)>;
void setFreeSpaceQuery(FreeSpaceQuery query);

// Forgets the map and the current folders read so far, so that a changed XDG environment
// or map file is read again.
void reset();

} // namespace platform::drives
