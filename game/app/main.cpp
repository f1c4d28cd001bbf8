#include <QApplication>

#include "game/forms/frmvuska.h"
#include "game/forms/helpcommand.h"
#include "platform/appearance.h"
#include "platform/appid.h"
#include "platform/clock.h"
#include "platform/lifetime.h"
#include "platform/qttranslations.h"
#include "platform/random.h"
#include "platform/shelllinks.h"
#include "platform/startupreport.h"
#include "platform/termination.h"
#include "platform/textlocale.h"

int main(int argc, char** argv)
{
    platform::useUtf8CharacterLocale();
    QApplication app(argc, argv);
    // The X11 window class is the application name; with the Wayland app id it matches the
    // game's windows to the menu entries that start it.
    QApplication::setApplicationName(QString::fromLatin1(platform::GameAppId));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(platform::GameAppId));
    platform::loadQtFinnishTexts();
    // The program ends itself, in its own order, whatever windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::applyProgramFont();
    QApplication::setWindowIcon(vuska::frmVuska::gameIcon());

    // The desktop menu's help entry starts the program for its help alone, at the contents;
    // the program ends when the help window goes.
    if (qgetenv(platform::shelllinks::HelpRequestVariable) == platform::shelllinks::HelpRequestContents) {
        if (!vuska::showHelpContents(QCoreApplication::applicationDirPath() + QStringLiteral("/vuska.hlp"), nullptr))
            return 1;
        for (QWidget* help : QApplication::topLevelWidgets()) {
            if (help->objectName() == QLatin1String("helpViewer"))
                QObject::connect(help, &QObject::destroyed, &app, &QCoreApplication::quit);
        }
        return app.exec();
    }

    platform::SystemClock clock;
    platform::SystemRandom random;
    vuska::frmVuska window(QCoreApplication::applicationDirPath(), clock, random);
    window.Form_Load();
    if (platform::lifetime::ending())
        return 0;
    platform::onTerminationRequest(
        [&window] { window.Form_QueryUnload(vuska::UnloadMode::AppTaskManager); });
    platform::StartupReport::watch(&window);
    window.show();
    return app.exec();
}
