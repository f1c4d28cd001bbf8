#include "setup/uninstall/removal.h"

#include <QFile>

#include <cerrno>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "game/registry/mdlvuska2.h"
#include "game/registry/settingskey.h"
#include "platform/registry.h"
#include "platform/shelllinks.h"
#include "setup/uninstall/frmpoistamattomattiedostot.h"
#include "setup/wizard/filetable.h"
#include "setup/wizard/registration.h"
#include "setup/wizard/targetfolder.h"

namespace vuska::setup {

namespace {

using platform::ScreenPointer;

const QString kFolderValue = QStringLiteral("Kansio");
const QString kFolderCreatedValue = QStringLiteral("UusiKansioTehty");
const QString kGroupValue = QStringLiteral("Ohjelmaryhma");
const QString kGroupCreatedValue = QStringLiteral("UusiOhjelmaryhmaTehty");
const QString kTrue = QStringLiteral("True");

bool isUnset(const QString& value)
{
    return value.isEmpty() || value == NotFound;
}

enum class Deletion { Deleted, Missing, Stays };

// An error that says the path leads nowhere: the file, or the folder it would lie in, is not
// there (or is not a folder), so there is nothing left to delete.
bool leadsNowhere(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

// unlink() removes the name itself: a link rather than what it points at, and never a folder.
// Whether anything is still there afterwards is asked without following a link either, so a
// link that leads nowhere is not taken for a missing file.
Deletion deleteName(const QString& hostPath)
{
    const QByteArray path = QFile::encodeName(hostPath);
    if (::unlink(path.constData()) == 0)
        return Deletion::Deleted;
    if (leadsNowhere(errno))
        return Deletion::Missing;
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 && leadsNowhere(errno))
        return Deletion::Missing;
    return Deletion::Stays;
}

QString readRecord(const QString& valueName)
{
    return ReadRegistryValue(HKEY_CURRENT_USER, SettingsKey, valueName);
}

// A key that is not there is already what the removal wants.
bool deleted(platform::registry::Status status)
{
    using platform::registry::Status;
    return status == Status::Ok || status == Status::NotFound;
}

} // namespace

QString leftoverInstructions(const QString& folder, bool folderCreatedBySetup)
{
    if (folderCreatedBySetup) {
        //: Above the list of files the removal could not delete. %1 is the installation folder, which
        //: setup made: the user is to delete it too. The line break puts the folder on a line of its own.
        return QCoreApplication::translate("vuska::setup::Removal",
                                           "Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansio\n"
                                           "%1 ja seuraavat siellä vielä olevat tiedostot:")
            .arg(folder);
    }
    //: Above the list of files the removal could not delete. %1 is the installation folder, which
    //: was there before setup: only the files are to be deleted from it.
    return QCoreApplication::translate("vuska::setup::Removal",
                                       "Sulje nyt asennuksen poisto-ohjelma. Poista sitten kansiosta\n"
                                       "%1 seuraavat tiedostot:")
        .arg(folder);
}

QList<std::pair<QString, QString>> removalPaths(const QString& folder)
{
    QList<std::pair<QString, QString>> paths;
    // "C:" is recorded for an installation into a drive's root.
    const std::optional<QString> host = hostFolder(folder);
    if (!host)
        return paths;
    for (const InstallFile& file : installationFiles()) {
        const QString name = QString::fromUtf8(file.name);
        paths.append({name, host->endsWith(u'/') ? *host + name : *host + u'/' + name});
    }
    return paths;
}

Removal::Removal(RemovalHooks hooks) : hooks_(std::move(hooks)) {}

RemovalResult Removal::run()
{
    result_ = RemovalResult{};
    group_.clear();
    if (!readFolder())
        return result_;
    deleteFiles();
    removeShortcuts();
    removeProgramGroup();
    deleteRegistryKeys();
    showLeftovers();
    result_.outcome = RemovalOutcome::Finished;
    return result_;
}

bool Removal::readFolder()
{
    result_.folder = readRecord(kFolderValue);
    if (isUnset(result_.folder)) {
        result_.folder.clear();
        // The program ends after this message, so the hourglass does not come back.
        pointer(ScreenPointer::Default);
        //: The installation record names no folder: nothing can be removed, and the program ends.
        message(tr("Virhe ohjelman rekisteritiedoissa. Poisto ei onnistu."));
        return false;
    }
    result_.instructions = leftoverInstructions(result_.folder, readRecord(kFolderCreatedValue) == kTrue);
    return true;
}

void Removal::deleteFiles()
{
    // The folder is translated once and each name joined to it as it is, the way the
    // installer named the files it wrote; a name is never looked up in other letter cases.
    // A folder that no drive holds has no files in it.
    const QList<std::pair<QString, QString>> paths = removalPaths(result_.folder);
    for (const auto& [name, path] : paths) {
        if (deleteName(path) == Deletion::Stays) {
            //: %1 is the name of a file of the game that could not be deleted.
            error(tr("Tiedoston %1 poisto ei onnistu.").arg(name));
            result_.leftovers.append(name);
        }
    }
}

void Removal::removeShortcuts()
{
    group_ = readRecord(kGroupValue);
    if (isUnset(group_))
        return;
    bool allRemoved = true;
    for (const Shortcut& shortcut : Shortcuts) {
        if (platform::shelllinks::fRemoveShellLink(u'\\' + group_, QString::fromUtf8(shortcut.name)) !=
            platform::shelllinks::ShellSuccess)
            allRemoved = false;
    }
    //: A shortcut (menu entry) of the program group could not be removed.
    if (!allRemoved)
        error(tr("Ohjelman kuvakkeen poisto ei onnistu."));
}

void Removal::removeProgramGroup()
{
    if (readRecord(kGroupCreatedValue) != kTrue)
        return;
    // Without a group name the record names no folder but the Programs folder itself, which
    // is never ours to remove; the user hears that the group could not be removed.
    if (isUnset(group_) || platform::shelllinks::removeShellFolder(u'\\' + group_) != platform::shelllinks::ShellSuccess)
        error(tr("Vuskan ohjelmaryhmän poisto ei onnistu."));
}

void Removal::deleteRegistryKeys()
{
    // Both are attempted whatever the first one's outcome.
    const bool own = deleted(platform::registry::deleteKey(HKEY_CURRENT_USER, SettingsKey));
    const bool entry = deleted(platform::registry::deleteKey(HKEY_LOCAL_MACHINE, UninstallKey));
    //: The game's settings and its entry in the system's list of installed programs could not be removed.
    if (!own || !entry)
        error(tr("Vuskan järjestelmätietojen poisto ei onnistu."));
}

void Removal::showLeftovers()
{
    pointer(ScreenPointer::Default);
    if (hooks_.showLeftovers) {
        hooks_.showLeftovers(result_.instructions, result_.leftovers);
        return;
    }
    frmPoistamattomatTiedostot dialog;
    dialog.showLeftovers(result_.instructions, result_.leftovers);
}

void Removal::error(const QString& text)
{
    pointer(ScreenPointer::Default);
    message(text);
    pointer(ScreenPointer::Hourglass);
}

void Removal::message(const QString& text)
{
    platform::MessageBoxRequest request;
    request.text = text;
    //: The title of an error message.
    request.title = tr("Virhe");
    request.buttons = platform::MsgButtons::Ok;
    request.icon = platform::MsgIcon::Exclamation;
    if (hooks_.showMessage)
        hooks_.showMessage(request);
    else
        platform::messageBox(request);
}

void Removal::pointer(ScreenPointer pointer)
{
    if (hooks_.setPointer)
        hooks_.setPointer(pointer);
    else
        platform::setScreenPointer(pointer);
}

} // namespace vuska::setup
