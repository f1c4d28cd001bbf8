#include "setup/wizard/targetfolder.h"

#include <algorithm>

#include "platform/drives.h"

namespace vuska::setup {

TargetFolderCheck checkTargetFolder(const QString& text)
{
    TargetFolderCheck check;
    if (text.indexOf(u'\\') != 2
        || platform::drives::setCurrentFolder(text.left(3).trimmed()) != platform::drives::DriveError::None)
        return check;
    // Beyond the characters Windows refuses in a name: a path too long for the host, or with
    // a name longer than the host allows, cannot be a folder either.
    static const QString forbidden = QStringLiteral("/*?\"<>|");
    const bool badCharacter
        = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return forbidden.contains(c); });
    if (badCharacter || !platform::drives::toHost(text)) {
        check.verdict = TargetFolderCheck::Verdict::InvalidFolder;
        return check;
    }
    check.verdict = TargetFolderCheck::Verdict::Accepted;
    check.folder = text;
    if (check.folder.endsWith(u'\\'))
        check.folder.chop(1);
    // A bare "C:" is the drive's current folder, which the drive check has just made its root.
    QString lookup = check.folder;
    if (lookup.size() == 2 && lookup.endsWith(u':'))
        lookup += u'\\';
    check.host = platform::drives::toHost(lookup);
    return check;
}

} // namespace vuska::setup
