#include "setup/wizard/copysequence.h"

#include <algorithm>

#include "platform/drives.h"
#include "platform/lifetime.h"
#include "platform/pointer.h"
#include "setup/wizard/targetfolder.h"

namespace vuska::setup {

namespace {

using platform::ScreenPointer;
using platform::installfiles::FolderInstallation;

// pbPalkki's maximum: the last file leaves the bar full.
constexpr int kProgressMaximum = 58;

QString windowsChild(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('\\') + name;
}

std::optional<QString> hostChild(const QString& windowsFolder, const QString& name)
{
    return platform::drives::toHost(windowsChild(windowsFolder, name));
}

QString errorTitle()
{
    //: The title of an error message.
    return QCoreApplication::translate("vuska::setup::CopySequence", "Virhe");
}

} // namespace

CopySequence::CopySequence(CopyWindowHooks window, std::function<bool()> registerInstallation,
                           platform::installfiles::FileSystem& fs, std::span<const InstallFile> files)
    : window_(std::move(window)), registerInstallation_(std::move(registerInstallation)), fs_(fs),
      files_(files)
{
}

std::optional<CopySequence::Result> CopySequence::run(const QString& SourceFolder,
                                                      QString& TargetFolder, bool CreateTargetFolder)
{
    if (started_)
        return std::nullopt;
    started_ = true;
    if (TargetFolder.endsWith(QLatin1Char('\\')))
        TargetFolder.chop(1);
    platform::setScreenPointer(ScreenPointer::Hourglass);
    const Result result = copy(SourceFolder, TargetFolder, CreateTargetFolder);
    platform::setScreenPointer(ScreenPointer::Default);
    return result;
}

// The program may be told to end while the window lets events run; what the user had in
// the folder must survive that as well as any failure.
bool CopySequence::endingDuringYield() const
{
    window_.letEventsRun();
    return platform::lifetime::ending();
}

CopySequence::Result CopySequence::copy(const QString& SourceFolder, const QString& TargetFolder,
                                        bool CreateTargetFolder)
{
    // "C:" is a drive's root, which is never made here and so never removed either.
    const std::optional<QString> target = hostFolder(TargetFolder);
    bool folderMade = false;
    const auto removeMadeFolder = [&] {
        if (folderMade)
            fs_.removeEmptyFolder(*target);
    };

    // Step 2 refuses setup's own folder, but a link or a drive made since can lead there.
    // Copying would then set the set's own files aside while reading them, and fail with a
    // message that tells the user nothing of why.
    if (sameFolder(TargetFolder, SourceFolder)) {
        platform::setScreenPointer(ScreenPointer::Default);
        //: %1 is the destination folder, which turns out to be the folder setup was started from.
        window_.error(tr("Kansioon %1 ei voi asentaa, koska asennusohjelma on\n"
                         "käynnistetty sieltä. Valitse kansio uudelleen.")
                          .arg(TargetFolder),
                      errorTitle());
        return Result::BackToStep2;
    }

    if (CreateTargetFolder) {
        folderMade = target && fs_.createFolder(*target);
        if (!folderMade) {
            platform::setScreenPointer(ScreenPointer::Default);
            //: %1 is the destination folder.
            window_.error(tr("Kansion %1 luominen ei onnistu.\nValitse kansio uudelleen.").arg(TargetFolder),
                          errorTitle());
            return Result::BackToStep2;
        }
    }

    if (endingDuringYield()) {
        removeMadeFolder();
        return Result::EndProgram;
    }

    // Nothing is copied from a set that is incomplete or has been tampered with. A folder
    // made above stays, empty.
    if (!verify(SourceFolder))
        return Result::EndProgram;

    // Without a host folder nothing can be written, and the first copy reports it.
    FolderInstallation installation(target.value_or(QString()), fs_);
    const auto rollback = [&] {
        installation.rollback();
        removeMadeFolder();
    };
    const auto fail = [&](const QString& text) {
        platform::setScreenPointer(ScreenPointer::Default);
        window_.error(text, errorTitle());
        platform::setScreenPointer(ScreenPointer::Hourglass);
        rollback();
        return Result::EndProgram;
    };

    int k = 0;
    for (const InstallFile& file : files_) {
        ++k;
        const QString name = QString::fromUtf8(file.name);
        //: The copy window's first status line: %1 is the file being copied, with its folder. The
        //: line is about 60 characters wide; a longer path is shortened in the middle.
        window_.status(tr("Kopioidaan: %1").arg(windowsChild(SourceFolder, name)),
                       //: The copy window's second status line: %1 is where the file goes, with its folder.
                       tr("Kohde: %1").arg(windowsChild(TargetFolder, name)));
        window_.progress(std::min(k, kProgressMaximum));
        if (endingDuringYield()) {
            rollback();
            return Result::EndProgram;
        }

        if (target && !installation.keepAside(name))
            //: %1 is a file name: a file of an earlier installation that could not be set aside.
            return fail(tr("Jo olemassa olevan tiedoston %1 poisto ei onnistu.\nAsennus keskeytetään.").arg(name));
        const std::optional<QString> source = hostChild(SourceFolder, name);
        if (!target || !source || !installation.install(*source, name))
            //: %1 is a file name.
            return fail(tr("Tiedoston %1 kopiointi ei onnistu. Asennus\n"
                           "keskeytetään ja jo asennetut tiedostot poistetaan.")
                            .arg(name));

        if (endingDuringYield()) {
            rollback();
            return Result::EndProgram;
        }
    }

    // Without the record setup could never find the installation again to remove it, so it
    // is taken back as a failed copy is, before the files it replaced are let go.
    if (registerInstallation_ && !registerInstallation_())
        //: The installation could not be recorded (so that it could be removed later).
        return fail(tr("Asennustietojen tallennus epäonnistui. Asennus\n"
                       "keskeytetään ja jo asennetut tiedostot poistetaan."));
    installation.commit();
    return Result::Done;
}

bool CopySequence::verify(const QString& SourceFolder)
{
    for (const InstallFile& file : files_) {
        const QString name = QString::fromUtf8(file.name);
        const std::optional<QString> path = hostChild(SourceFolder, name);
        const std::optional<qint64> size = path ? fs_.size(*path) : std::nullopt;
        if (!size) {
            platform::setScreenPointer(ScreenPointer::Default);
            //: %1 is the name of a file of the installation set, missing beside setup.
            window_.error(tr("Tiedostoa %1 ei löydy, joten ohjelman\nasennus keskeytetään.").arg(name),
                          //: The title of the box that says a file of the installation set is missing.
                          tr("Ei tiedostoa"));
            return false;
        }
        if (*size != file.size) {
            platform::setScreenPointer(ScreenPointer::Default);
            //: %1 is the name of a file of the installation set whose size is not what it should be.
            window_.error(tr("Tiedostoa %1 on muokattu luvattomasti. Asennus\nkeskeytetään.").arg(name),
                          //: The title of the box that says a file of the installation set has been changed.
                          tr("Tiedostoa muokattu"));
            return false;
        }
    }
    return true;
}

} // namespace vuska::setup
