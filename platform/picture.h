#pragma once

#include <QImage>
#include <QString>

namespace platform {

// Loads a JPEG picture file. A file that is missing, empty, truncated, not a JPEG, or
// declares absurd dimensions gives a null image ("cannot be loaded"), never a crash or a
// long wait.
QImage loadPicture(const QString& path);

// The largest picture side the programs accept; theirs are far smaller.
inline constexpr int MaxPictureSide = 4096;

} // namespace platform
