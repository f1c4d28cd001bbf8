#include <QApplication>

#include "game/forms/frmvuska.h"
#include "platform/appearance.h"
#include "platform/clock.h"
#include "platform/lifetime.h"
#include "platform/random.h"
#include "platform/startupreport.h"
#include "platform/termination.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vuska"));
    // The program ends itself, in its own order, whatever windows are open.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::applyProgramFont();

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
