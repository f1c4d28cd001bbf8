#pragma once

#include <QString>

namespace vuska::setup {

// The terms of use that step 1 shows, in CR LF lines: damages and liability, then
// distribution with its three numbered conditions, the first naming every file of the
// installation set in upper case.
QString termsText();

// The author's e-mail address the terms name, as the build was configured.
QString authorEmail();

} // namespace vuska::setup
