#include "setup/wizard/targetfolder.h"

#include <algorithm>

#include <QFileInfo>

#include "game/registry/mdlvuska2.h"
#include "platform/drives.h"

namespace vuska::setup {

namespace {

bool isDriveRoot(const QString& folder)
{
    return folder.size() == 2 && folder[0].isLetter() && folder[1] == u':';
}

// The folder itself on the host, links followed; empty when there is no folder.
QString realFolder(const QString& folder)
{
    const std::optional<QString> host = hostFolder(folder);
    if (!host)
        return {};
    const QFileInfo info(*host);
    return info.isDir() ? info.canonicalFilePath() : QString();
}

} // namespace

TargetFolderCheck checkTargetFolder(const QString& text)
{
    TargetFolderCheck check;
    if (text.indexOf(u'\\') != 2
        || platform::drives::setCurrentFolder(text.left(3).trimmed()) != platform::drives::DriveError::None)
        return check;
    QString folder = text;
    if (folder.endsWith(u'\\'))
        folder.chop(1);
    // Beyond the characters Windows refuses in a name: a path too long for the host, or with
    // a name longer than the host allows, cannot be a folder either; and the installation is
    // known afterwards only by the folder recorded, so one the store cannot give back is refused
    // too (the uninstaller could never find it).
    static const QString forbidden = QStringLiteral("/*?\"<>|");
    const bool badCharacter
        = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return forbidden.contains(c); });
    if (badCharacter || !platform::drives::toHost(text) || !RegistryTextFits(folder)) {
        check.verdict = TargetFolderCheck::Verdict::InvalidFolder;
        return check;
    }
    check.verdict = TargetFolderCheck::Verdict::Accepted;
    check.folder = folder;
    check.host = hostFolder(folder);
    return check;
}

std::optional<QString> hostFolder(const QString& folder)
{
    return platform::drives::toHost(isDriveRoot(folder) ? folder + u'\\' : folder);
}

bool sameFolder(const QString& a, const QString& b)
{
    const QString first = realFolder(a);
    return !first.isEmpty() && first == realFolder(b);
}

} // namespace vuska::setup
