#include "platform/appearance.h"

#include <QApplication>
#include <QFont>

namespace platform {

void applyProgramFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    // In points, not pixels: 11 pixels at 96 dots per inch, and larger with the screen's
    // density where the layouts in twips grow with it (an unscaled screen of 120 dots per inch
    // gets the larger layout of 12 twips a pixel, and the text grows to fill it the same way).
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}

} // namespace platform
