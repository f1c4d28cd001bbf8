#pragma once

#include <functional>
#include <optional>
#include <span>

#include <QCoreApplication>
#include <QString>

#include "platform/installfiles.h"
#include "setup/wizard/copywindowhooks.h"
#include "setup/wizard/filetable.h"

namespace vuska::setup {

// The work of the copy window frmTiedostojenKopiointi, from its first activation to the
// moment it may close: the target folder made when asked for, every file of the
// installation set checked beside setup before anything is copied, the files copied one by
// one with the window's status lines and progress bar kept up to date, and the
// registration run at the end. A failure, also a registration that could not record the
// installation, puts the target folder back as it was before (files of an earlier
// installation there included) and removes a folder that was made. A target that is setup's
// own folder, however spelt, is refused before anything is touched.
//
// The paths are Windows paths, as the wizard holds them; the drive map turns them into host
// paths. One object serves one showing of the window and runs once.
class CopySequence {
    Q_DECLARE_TR_FUNCTIONS(vuska::setup::CopySequence)

public:
    enum class Result {
        Done,        // everything is copied and registered: the window may close, step 5 follows
        BackToStep2, // the target folder could not be made, or is setup's own: back to step 2
        EndProgram,  // a file check, a copy or the record failed (already reported): the end
    };

    // `registerInstallation` answers whether the installation is on record; when it is not
    // (and it has left no trace of its own), the copy is taken back.
    CopySequence(CopyWindowHooks window, std::function<bool()> registerInstallation,
                 platform::installfiles::FileSystem& fs = platform::installfiles::realFileSystem(),
                 std::span<const InstallFile> files = installationFiles());

    // Runs the whole sequence. TargetFolder loses a trailing backslash on the way, as the
    // registration and the rest of setup expect it. Nothing when it has run already or is
    // running (a focus event during one of its turns of the message loop), so that the
    // caller can simply call it on every activation.
    std::optional<Result> run(const QString& SourceFolder, QString& TargetFolder,
                              bool CreateTargetFolder);

    bool started() const { return started_; }

private:
    Result copy(const QString& SourceFolder, const QString& TargetFolder,
                bool CreateTargetFolder);
    bool verify(const QString& SourceFolder);
    bool endingDuringYield() const;

    CopyWindowHooks window_;
    std::function<bool()> registerInstallation_;
    platform::installfiles::FileSystem& fs_;
    std::span<const InstallFile> files_;
    bool started_ = false;
};

} // namespace vuska::setup
