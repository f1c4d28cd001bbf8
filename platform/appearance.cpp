#include "platform/appearance.h"

#include <QApplication>
#include <QFont>

namespace platform {

void applyProgramFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

} // namespace platform
