#pragma once

#include <QString>

namespace vuska {

// The registry key of the game's settings, best results and installation record, under
// HKEY_CURRENT_USER. Reads name it plainly, writes with a trailing backslash.
inline const QString SettingsKey = QStringLiteral("Software\\Vuska 1.22 Freeware");
inline const QString SettingsKeyForWrite = QStringLiteral("Software\\Vuska 1.22 Freeware\\");

// The game's author, whose name also fills the empty slots of the best-results list.
inline const QString AuthorName = QStringLiteral("Oona Ohjelmoija");

} // namespace vuska
