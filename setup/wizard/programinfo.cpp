#include "setup/wizard/programinfo.h"

#include <QApplication>
#include <QIcon>

namespace vuska::setup {

void applyProgramInfo()
{
    // Only the application name, not a display name: Qt would append a display name to every
    // title that does not end in it, the message boxes' and the browse dialog's too.
    QApplication::setApplicationName(QString::fromUtf8(programInfo.title));
    QApplication::setApplicationVersion(QString::fromUtf8(programInfo.version));
    QCoreApplication* app = QCoreApplication::instance();
    app->setProperty("FileDescription", QString::fromUtf8(programInfo.fileDescription));
    app->setProperty("ProductName", QString::fromUtf8(programInfo.productName));
    app->setProperty("InternalName", QString::fromUtf8(programInfo.internalName));
    app->setProperty("OriginalFilename", QString::fromUtf8(programInfo.originalFilename));
    app->setProperty("FileVersion", QString::fromUtf8(programInfo.version));
    app->setProperty("ProductVersion", QString::fromUtf8(programInfo.version));

    QIcon icon;
    // The window icon goes to the window system in every size it holds; 256 serves a 200 %
    // task switcher, and a 512 one would cost each window another megabyte. The menu entries'
    // icon comes from the icon theme, where setup puts the 512 size and the SVG.
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/vuska/vuska-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

} // namespace vuska::setup
