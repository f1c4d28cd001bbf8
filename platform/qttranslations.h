#pragma once

#include <QString>

namespace platform {

// Installs Qt's own Finnish texts (the context menus of text boxes, the standard dialogs'
// buttons and the like) from `folder`, by default the folder of Qt's translations. The
// programs speak Finnish only, so the user's locale is not consulted. Without the files
// (the translations package is not installed) Qt keeps its English texts: false, and nothing
// else happens. Call once the application object exists.
bool loadQtFinnishTexts(const QString& folder = {});

} // namespace platform
