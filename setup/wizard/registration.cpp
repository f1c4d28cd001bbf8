#include "setup/wizard/registration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMap>
#include <QRegularExpression>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/desktopentry.h"
#include "platform/pointer.h"
#include "platform/registry.h"
#include "platform/shelllinks.h"

namespace vuska::setup {

namespace {

namespace links = platform::shelllinks;
namespace de = platform::desktopentry;

constexpr int REG_SZ = 1;

// The game's own icon, which setup carries for the shortcuts: every size and the SVG.
const QString kIconName = QStringLiteral("vuska");
QList<QString> iconResources()
{
    QList<QString> files;
    const QDir icons(QStringLiteral(":/vuska"), QStringLiteral("vuska-*.png;vuska.svg"));
    for (const QString& name : icons.entryList(QDir::Files))
        files.append(icons.filePath(name));
    return files;
}

links::LinkDescription describe(const Shortcut& shortcut)
{
    links::LinkDescription description;
    description.categories = {QStringLiteral("Game"), QStringLiteral("CardGame")};
    static const QByteArray menuTexts = [] {
        QFile file(QStringLiteral(":/vuska/menutexts.desktop"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QMap<QString, QString> texts =
        de::readGroup(menuTexts, QString::fromUtf8(shortcut.name)).value_or(QMap<QString, QString>());
    const auto list = [](const QString& value) {
        QStringList items;
        for (const QString& item : value.split(u';', Qt::SkipEmptyParts))
            items.append(de::unescapeValue(item));
        return items;
    };
    description.comment = de::unescapeValue(texts.value(QStringLiteral("Comment")));
    description.keywords = list(texts.value(QStringLiteral("Keywords")));
    // Every language the texts are translated into, whatever language setup speaks itself: the
    // desktop shows each user the entry in theirs.
    static const QRegularExpression translated(QStringLiteral("^(?:Name|Comment|Keywords)\\[(.+)\\]$"));
    QStringList locales;
    for (const QString& key : texts.keys())
        if (const auto match = translated.match(key); match.hasMatch() && !locales.contains(match.captured(1)))
            locales.append(match.captured(1));
    for (const QString& locale : locales) {
        const QString in = u'[' + locale + u']';
        description.translations.append({locale, de::unescapeValue(texts.value(QStringLiteral("Name") + in)),
                                         de::unescapeValue(texts.value(QStringLiteral("Comment") + in)),
                                         list(texts.value(QStringLiteral("Keywords") + in))});
    }
    if (shortcut.windowClass)
        description.windowClass = QString::fromLatin1(shortcut.windowClass);
    return description;
}

QString truth(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool writeRecord(const QString& name, const QString& value)
{
    return WriteRegistryValue(HKEY_CURRENT_USER, SettingsKeyForWrite, name, REG_SZ, value);
}

// The installation's record under the game's key, in the order the uninstaller and the game
// rely on. The values do not depend on how the making of the group turns out (a group is
// recorded as made even when that fails, so that the uninstaller tries to remove it), so they
// are all written before anything else is made, and together: a record only half written would
// send the next start of setup to remove an installation it cannot fully name.
bool writeInstallationRecord(const InstallationChoices& choices)
{
    platform::registry::Batch record(HKEY_CURRENT_USER);
    bool written = writeRecord(QStringLiteral("UusiKansioTehty"), truth(choices.CreateTargetFolder))
                && writeRecord(QStringLiteral("Kansio"), choices.TargetFolder);
    if (choices.CreateProgramGroup) {
        written = written && writeRecord(QStringLiteral("Ohjelmaryhma"), choices.ProgramGroup)
               && writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), truth(true));
    } else if (!choices.NoProgramGroup) {
        written = written && writeRecord(QStringLiteral("UusiOhjelmaryhmaTehty"), truth(false))
               && writeRecord(QStringLiteral("Ohjelmaryhma"), choices.ProgramGroup);
    }
    return written && record.commit() == platform::registry::Status::Ok;
}

} // namespace

bool RegisterInstallation(const InstallationChoices& choices, const CopyWindowHooks& window)
{
    if (!writeInstallationRecord(choices))
        return false;

    //: The title of an error message.
    const QString errorTitle = QCoreApplication::translate("vuska::setup::Registration", "Virhe");
    const QString groupFolder = QLatin1Char('\\') + choices.ProgramGroup;
    if (choices.CreateProgramGroup) {
        //: The copy window's status line while the program group is made.
        window.status(QCoreApplication::translate("vuska::setup::Registration", "Luodaan ohjelmaryhmä..."), QString());
        window.letEventsRun();
        if (links::fCreateShellFolder(groupFolder) != links::ShellSuccess) {
            platform::setScreenPointer(platform::ScreenPointer::Default);
            window.error(
                QCoreApplication::translate("vuska::setup::Registration", "Ohjelmaryhmän luonti epäonnistui."),
                errorTitle);
            platform::setScreenPointer(platform::ScreenPointer::Hourglass);
        }
    }

    if (!choices.NoProgramGroup) {
        //: The copy window's status line while the shortcuts are made in the program group.
        window.status(QCoreApplication::translate("vuska::setup::Registration", "Luodaan ohjelmaryhmän kuvakkeet..."),
                      QString());
        window.letEventsRun();
        links::setLinkIcon(kIconName, iconResources());
        // A shortcut that cannot be made is not worth stopping for: the game works without.
        for (const Shortcut& shortcut : Shortcuts)
            links::fCreateShellLink(groupFolder, QString::fromUtf8(shortcut.name),
                                    choices.TargetFolder + QLatin1Char('\\') + QString::fromUtf8(shortcut.target),
                                    QString(), describe(shortcut));
    }

    //: The copy window's status line while the uninstall entry is written.
    window.status(QCoreApplication::translate("vuska::setup::Registration", "Päivitetään järjestelmätiedot..."),
                  QString());
    window.letEventsRun();
    const bool named = WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite, QStringLiteral("DisplayName"),
                                          REG_SZ, QStringLiteral("Vuska, versio 1.22 Freeware"));
    const bool command = WriteRegistryValue(HKEY_LOCAL_MACHINE, UninstallKeyForWrite,
                                            QStringLiteral("UninstallString"), REG_SZ,
                                            choices.TargetFolder + QStringLiteral("\\setup.exe"));
    if (!named || !command) {
        platform::setScreenPointer(platform::ScreenPointer::Default);
        //: The uninstall entry (the system's list of installed programs) could not be written.
        window.error(
            QCoreApplication::translate("vuska::setup::Registration", "Järjestelmätietojen päivitys epäonnistui."),
            errorTitle);
    }
    return true;
}

} // namespace vuska::setup
