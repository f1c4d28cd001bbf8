#include "setup/wizard/programinfo.h"

#include <QApplication>
#include <QIcon>

#include "platform/appearance.h"

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

    QApplication::setWindowIcon(platform::windowIcon(QStringLiteral(":/vuska"), QStringLiteral("vuska")));
}

QString programTitle()
{
    // Looked up when a page is made, not when the table is: the language is chosen after the
    // program has named itself.
    return QCoreApplication::translate("vuska::setup::ProgramInfo", programInfo.title);
}

} // namespace vuska::setup
