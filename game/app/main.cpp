#include <QApplication>
#include <QDir>

#include "game/app/appid.h"
#include "game/forms/frmvuska.h"
#include "game/forms/helpcommand.h"
#include "platform/appearance.h"
#include "platform/clock.h"
#include "platform/language.h"
#include "platform/lifetime.h"
#include "platform/random.h"
#include "platform/shelllinks.h"
#include "platform/startupreport.h"
#include "platform/termination.h"
#include "platform/textlocale.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::useUtf8CharacterLocale();
    // The desktop menu's help entry starts the program for its help alone, at the contents;
    // the program ends when the help window goes.
    const bool helpAlone =
        qgetenv(platform::shelllinks::HelpRequestVariable) == platform::shelllinks::HelpRequestContents;
    // The X11 window class is the application name; with the Wayland app id it matches the
    // windows to the menu entry that starts them.
    const QString appId = QString::fromLatin1(helpAlone ? vuska::GameHelpAppId : vuska::GameAppId);
    QApplication::setApplicationName(appId);
    QGuiApplication::setDesktopFileName(appId);
    // Finnish, Swedish or English, decided once; Qt's own texts follow.
    platform::language::apply({QStringLiteral("platform"), QStringLiteral("game")});
    // The program ends itself, in its own order, whatever windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::applyProgramFont();
    QApplication::setWindowIcon(vuska::frmVuska::gameIcon());

    // The pictures and the help lie beside the program in the installation set; a system's
    // installation keeps them in a data folder of their own.
#ifdef VUSKA_DATA_FROM_PROGRAM
    const QString dataFolder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" VUSKA_DATA_FROM_PROGRAM));
#else
    const QString dataFolder = QCoreApplication::applicationDirPath();
#endif

    if (helpAlone) {
        if (!vuska::showHelpContents(vuska::helpFileIn(dataFolder), nullptr))
            return 1;
        for (QWidget* help : QApplication::topLevelWidgets()) {
            if (help->objectName() == QLatin1String("helpViewer"))
                QObject::connect(help, &QObject::destroyed, &app, &QCoreApplication::quit);
        }
        return app.exec();
    }

    platform::SystemClock clock;
    platform::SystemRandom random;
    vuska::frmVuska window(dataFolder, clock, random);
    window.Form_Load();
    if (platform::lifetime::ending())
        return 0;
    platform::onTerminationRequest(
        [&window] { window.Form_QueryUnload(vuska::UnloadMode::AppTaskManager); });
    platform::StartupReport::watch(&window);
    window.show();
    return app.exec();
}
