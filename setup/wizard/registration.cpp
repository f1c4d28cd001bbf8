#include "setup/wizard/registration.h"

#include <QList>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/pointer.h"
#include "platform/shelllinks.h"

namespace vuska::setup {

namespace {

namespace links = platform::shelllinks;

constexpr int REG_SZ = 1;

// The game's own icon, which setup carries for the shortcuts.
const QString kIconName = QStringLiteral("vuska");
QList<QString> iconResources()
{
    QList<QString> files;
    for (int size : {16, 32, 48, 64, 128, 256})
        files.append(QStringLiteral(":/vuska/vuska-%1.png").arg(size));
    return files;
}

QString truth(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void writeRecord(const QString& name, const QString& value)
{
    WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, REG_SZ, value);
}

} // namespace

void RegisterInstallation(const InstallationChoices& choices, const CopyWindowHooks& window)
{
    writeRecord(QStringLiteral("UusiKansioTehty"), truth(choices.CreateTargetFolder));
    writeRecord(QStringLiteral("Kansio"), choices.TargetFolder);

    const QString groupFolder = QLatin1Char('\\') + choices.ProgramGroup;
    if (choices.CreateProgramGroup) {
        window.status(QStringLiteral("Luodaan ohjelmaryhmä..."), QString());
        window.letEventsRun();
        const bool made = links::fCreateShellFolder(groupFolder) == links::ShellSuccess;
        // Recorded as made even when it failed, so that the uninstaller tries to remove it.
        writeRecord(QStringLiteral("Ohjelmaryhma"), choices.ProgramGroup);
        writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), truth(true));
        if (!made) {
            platform::setScreenPointer(platform::ScreenPointer::Default);
            window.error(QStringLiteral("Ohjelmaryhmän luonti epäonnistui."), QStringLiteral("Virhe"));
            platform::setScreenPointer(platform::ScreenPointer::Hourglass);
        }
    } else if (!choices.NoProgramGroup) {
        writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), truth(false));
        writeRecord(QStringLiteral("Ohjelmaryhma"), choices.ProgramGroup);
    }

    if (!choices.NoProgramGroup) {
        window.status(QStringLiteral("Luodaan ohjelmaryhmän kuvakkeet..."), QString());
        window.letEventsRun();
        links::setLinkIcon(kIconName, iconResources());
        // A shortcut that cannot be made is not worth stopping for: the game works without.
        for (const Shortcut& shortcut : Shortcuts)
            links::fCreateShellLink(groupFolder, QString::fromUtf8(shortcut.name),
                                    choices.TargetFolder + QLatin1Char('\\') + QString::fromUtf8(shortcut.target),
                                    QString());
    }

    window.status(QStringLiteral("Päivitetään järjestelmätiedot..."), QString());
    window.letEventsRun();
    const bool named = WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("DisplayName"),
                                          REG_SZ, QStringLiteral("Vuska, versio 1.22 Freeware"));
    const bool command = WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite,
                                            QStringLiteral("UninstallString"), REG_SZ,
                                            choices.TargetFolder + QStringLiteral("\\setup.exe"));
    if (!named || !command) {
        platform::setScreenPointer(platform::ScreenPointer::Default);
        window.error(QStringLiteral("Järjestelmätietojen päivitys epäonnistui."), QStringLiteral("Virhe"));
    }
}

} // namespace vuska::setup
