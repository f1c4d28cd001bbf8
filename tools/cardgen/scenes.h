// Pictures built from the cards: the about box, the installer's side
// picture, the program icon and the pointing-hand cursor.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace cardgen {

// The about and installer pictures and the cursors are drawn at
// kPictureScale times their design size, given here.
QImage renderAboutPicture();     // 150 x 270
QImage renderInstallerPicture(); // 164 x 314
QImage renderIcon(int size);     // size x size pixels, transparent
QByteArray renderIconSvg();      // the icon's design for sizes from 48 up, as SVG

// The cursor pictures; the hot spot, in the picture's own pixels, is the tip
// of the index finger.
QImage renderSmallCursor(); // 17 x 22
QImage renderLargeCursor(); // 32 x 32
QPoint smallCursorHotSpot();
QPoint largeCursorHotSpot();

} // namespace cardgen
