#pragma once

#include <optional>

#include <QString>

namespace vuska::setup {

// The checks of a typed target folder that need nothing but the text, the drive map and the
// store: a drive in the right place that can be made current, a path the host can hold, and a
// folder the installation record can give back.
struct TargetFolderCheck {
    enum class Verdict {
        InvalidDrive,  // no "X:\" at the start, or a drive that cannot be made current
        InvalidFolder, // a character Windows refuses in a name, a path the host cannot hold, or
                       // one too long to be read back from the registry once recorded
        Accepted,
    };
    Verdict verdict = Verdict::InvalidDrive;
    QString folder;               // Accepted: the text without a trailing backslash
    std::optional<QString> host;  // Accepted: where the folder lies on the host ("C:" is its root)
};

// Makes the drive's current folder its root on the way, as choosing the drive does.
TargetFolderCheck checkTargetFolder(const QString& text);

// Where a folder as setup keeps it lies on the host. Setup keeps a drive's root without its
// backslash ("C:", in SourceFolder, TargetFolder and the recorded installation folder), and
// means the root by it, not the drive's current folder. Nothing when no drive holds it.
std::optional<QString> hostFolder(const QString& folder);

// Whether two folders as setup keeps them are one and the same folder on the host, whatever
// the spelling: "." and ".." resolved, another drive of the same host folder, a symbolic link
// followed. False unless both are there as folders.
bool sameFolder(const QString& a, const QString& b);

} // namespace vuska::setup
