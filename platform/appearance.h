#pragma once

class QIcon;
class QString;

namespace platform {

// The look the twips layouts were made for: an 8-point sans serif of the classic metrics,
// which Liberation Sans matches at 8.25 points (11 pixels at 96 dots per inch).
void applyProgramFont();

// A window icon made of the pictures "<stem>-<side>.png" in a resource folder: every side up to
// 256 pixels, which serves a 200 % task switcher; a larger one would cost each window another
// megabyte (the menus take the largest sizes from the icon theme instead).
QIcon windowIcon(const QString& folder, const QString& stem);

} // namespace platform
