// Pictures built from the cards: the about box, the installer's side
// picture, the program icon and the pointing-hand cursor.
#pragma once

#include <QImage>
#include <QPoint>

namespace cardgen {

QImage renderAboutPicture();     // 150 x 270
QImage renderInstallerPicture(); // 164 x 314
QImage renderIcon(int size);     // size x size, transparent

// The cursor pictures; the hot spot is the tip of the index finger.
QImage renderSmallCursor(); // 17 x 22
QImage renderLargeCursor(); // 32 x 32
QPoint smallCursorHotSpot();
QPoint largeCursorHotSpot();

} // namespace cardgen
