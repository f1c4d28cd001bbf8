#include "game/forms/appearance.h"

#include <QApplication>
#include <QFont>

namespace vuska {

void applyProgramFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

} // namespace vuska
