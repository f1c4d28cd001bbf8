#include "tests/support/foldersnapshot.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace vuska::test {

namespace {

void snapshotInto(FolderSnapshot& snapshot, const QString& folder, const QString& prefix)
{
    const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                         | QDir::NoDotAndDotDot,
                                                     QDir::Name);
    for (const QString& name : names) {
        const QString path = folder + QLatin1Char('/') + name;
        const QByteArray native = QFile::encodeName(path);
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0) {
            snapshot.insert(prefix + name, "unreadable");
            continue;
        }
        if (S_ISLNK(st.st_mode)) {
            QByteArray target(4096, '\0');
            const ssize_t length = ::readlink(native.constData(), target.data(), size_t(target.size()));
            snapshot.insert(prefix + name, "link:" + target.left(qsizetype(std::max<ssize_t>(length, 0))));
        } else if (S_ISDIR(st.st_mode)) {
            snapshot.insert(prefix + name, "folder");
            snapshotInto(snapshot, path, prefix + name + QLatin1Char('/'));
        } else {
            QFile file(path);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
            snapshot.insert(prefix + name,
                            "file:" + QByteArray::number(uint(st.st_mode & 07777), 8) + ':' + bytes);
        }
    }
}

QString shortly(const QByteArray& what)
{
    return QString::fromUtf8(what.left(40)) + (what.size() > 40 ? QStringLiteral("...") : QString());
}

} // namespace

FolderSnapshot snapshotFolder(const QString& folder)
{
    FolderSnapshot snapshot;
    snapshotInto(snapshot, folder, QString());
    return snapshot;
}

QStringList visibleNames(const FolderSnapshot& snapshot)
{
    QStringList names;
    for (auto it = snapshot.cbegin(); it != snapshot.cend(); ++it) {
        const QStringList parts = it.key().split(QLatin1Char('/'));
        if (std::none_of(parts.cbegin(), parts.cend(), [](const QString& p) { return p.startsWith(u'.'); }))
            names.append(it.key());
    }
    return names;
}

QString describeDifference(const FolderSnapshot& before, const FolderSnapshot& after)
{
    QStringList lines;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            lines.append(QStringLiteral("gone: ") + it.key());
        else if (after.value(it.key()) != it.value())
            lines.append(QStringLiteral("changed: ") + it.key() + QStringLiteral(" (") + shortly(it.value())
                         + QStringLiteral(" -> ") + shortly(after.value(it.key())) + QLatin1Char(')'));
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            lines.append(QStringLiteral("added: ") + it.key());
    }
    return lines.join(QStringLiteral("; "));
}

} // namespace vuska::test
