#include "platform/appearance.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>

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

QIcon windowIcon(const QString& folder, const QString& stem)
{
    constexpr int LargestSide = 256;
    QIcon icon;
    const QDir pictures(folder, stem + QStringLiteral("-*.png"));
    for (const QString& name : pictures.entryList(QDir::Files)) {
        bool number = false;
        const int side = name.mid(stem.size() + 1).chopped(4).toInt(&number);
        if (number && side <= LargestSide)
            icon.addFile(pictures.filePath(name), QSize(side, side));
    }
    return icon;
}

} // namespace platform
