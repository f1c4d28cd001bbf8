#pragma once

#include <QMap>
#include <QString>

namespace vuska::test {

// Everything under a folder, hidden names included, as name -> what it is: a file's
// permission bits and bytes, a link's target (never followed), a folder (its contents under
// "folder/name"). Two snapshots are equal exactly when the folders hold the same.
using FolderSnapshot = QMap<QString, QByteArray>;
FolderSnapshot snapshotFolder(const QString& folder);

// The snapshot's names that are not hidden ones (no component starting with '.').
QStringList visibleNames(const FolderSnapshot& snapshot);

// A readable difference for a failure message: what was added, removed or changed.
QString describeDifference(const FolderSnapshot& before, const FolderSnapshot& after);

} // namespace vuska::test
