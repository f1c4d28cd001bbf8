#include <memory>

#include <QApplication>

#include "platform/appearance.h"
#include "platform/language.h"
#include "platform/lifetime.h"
#include "platform/startupreport.h"
#include "platform/termination.h"
#include "platform/textlocale.h"
#include "setup/uninstall/frmpoisto.h"
#include "setup/wizard/frmtiedostojenkopiointi.h"
#include "setup/wizard/frmvaihe4.h"
#include "setup/wizard/mdlvuskanasennus.h"
#include "setup/wizard/programinfo.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::useUtf8CharacterLocale();
    vuska::setup::applyProgramInfo();
    // No menu entry starts setup; its own app id keeps its windows apart from the game's.
    QGuiApplication::setDesktopFileName(QStringLiteral("fi.vuska.Vuska.Setup"));
    // Finnish, Swedish or English, decided once; Qt's own texts follow.
    platform::language::apply({QStringLiteral("platform"), QStringLiteral("setup")});
    // The program ends itself, in its own order, whatever windows are open or hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::applyProgramFont();

    vuska::setup::mdlVuskanAsennus installer(QCoreApplication::applicationDirPath());
    installer.createRemovalWindow = [] { return std::make_unique<vuska::setup::frmPoisto>(); };
    installer.showCopyWindow = [&installer] {
        vuska::setup::frmTiedostojenKopiointi window(installer, &installer.vaihe4());
        window.showModal();
    };
    QWidget* first = installer.start();
    if (platform::lifetime::ending() || !first)
        return 0;
    platform::onTerminationRequest(
        [&installer] { installer.endRequested(platform::UnloadMode::AppTaskManager); });
    platform::StartupReport::watch(first);
    return app.exec();
}
