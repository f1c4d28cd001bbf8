#pragma once

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

namespace platform {

// Loads a JPEG picture file. A file that is missing, empty, truncated, not a JPEG, or
// declares absurd dimensions gives a null image ("cannot be loaded"), never a crash or a
// long wait.
QImage loadPicture(const QString& path);

// The largest picture side the programs accept; theirs are far smaller.
inline constexpr int MaxPictureSide = 4096;

// Our pictures are drawn at twice the size the windows lay them out in (their design
// size), so a picture of exactly twice the design size is taken as the design at double
// density: ratio 2, shown at the design size. Any other picture, a player's own card for
// one, keeps ratio 1 and is shown at its own size from the top left corner, as before.
// (QLabel itself smooths a picture whose ratio is not the screen's; a widget that draws
// one asks smoothWhenDrawn.)
QPixmap designPicture(QImage image, QSize designSize);
QPixmap designPicture(const QString& file, QSize designSize);

// Whether a picture of `pictureRatio` drawn on a device of `deviceRatio` should be
// smoothed: only whole-number enlargements (and none at all) keep its pixels sharp;
// shrinking and in-between scales would otherwise drop or double some pixels only.
bool smoothWhenDrawn(qreal pictureRatio, qreal deviceRatio);

// A cursor from a picture drawn for `designSize`, its hot spot given in design pixels.
// Qt documents the hot spot in device-independent pixels and honours the pixmap's ratio,
// but its X11 platform (xcb, Qt 6.4) hands the picture to the X server pixel for pixel
// and reads the hot spot in picture pixels. For such a platform (`pixelForPixel`) a
// double-density picture is scaled to the screen's ratio and the hot spot to match.
QCursor designCursor(const QImage& image, QSize designSize, QPoint hotSpot, qreal screenRatio,
                     bool pixelForPixel);
// The same for the application's screens and platform; the standard pointing hand when
// the file cannot be loaded.
QCursor designCursor(const QString& file, QSize designSize, QPoint hotSpot);

} // namespace platform
