#include "platform/installfiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::installfiles {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// A path with a NUL in it would name something else than asked.
bool usable(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(0));
}

int retrying(auto call)
{
    int rc;
    do {
        rc = call();
    } while (rc < 0 && errno == EINTR);
    return rc;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, ssize_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, size_t(length));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= written;
    }
    return true;
}

bool copyContents(int from, int to)
{
    constexpr size_t kChunk = size_t(1) << 20;
    // In the kernel where it can; some file systems and kernels refuse, and then by hand.
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kChunk, 0);
        if (copied == 0)
            return true;
        if (copied > 0)
            continue;
        if (errno == EINTR)
            continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP
            && errno != EPERM)
            return false;
        break;
    }
    QByteArray buffer(qsizetype(kChunk), Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), kChunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeAll(to, buffer.constData(), got))
            return false;
    }
}

class RealFileSystem final : public FileSystem {
public:
    bool exists(const QString& path) override
    {
        struct stat st {};
        return usable(path) && ::lstat(native(path).constData(), &st) == 0;
    }

    bool isFolder(const QString& path) override
    {
        struct stat st {};
        return usable(path) && ::lstat(native(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    std::optional<qint64> size(const QString& path) override
    {
        struct stat st {};
        if (!usable(path) || ::stat(native(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            return std::nullopt;
        return qint64(st.st_size);
    }

    bool createFolder(const QString& path) override
    {
        return usable(path) && ::mkdir(native(path).constData(), 0777) == 0;
    }

    bool removeEmptyFolder(const QString& path) override
    {
        return usable(path) && ::rmdir(native(path).constData()) == 0;
    }

    bool removeFile(const QString& path) override
    {
        // unlink() never follows a link and refuses folders.
        return usable(path) && ::unlink(native(path).constData()) == 0;
    }

    bool rename(const QString& from, const QString& to, Replace replace) override
    {
        if (!usable(from) || !usable(to))
            return false;
        const QByteArray f = native(from);
        const QByteArray t = native(to);
        if (replace == Replace::Yes)
            return ::rename(f.constData(), t.constData()) == 0;
        if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
            return true;
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        // A file system without the flag: look first. Only a racing writer in the same folder
        // could slip in between, and the folder is the user's own.
        struct stat st {};
        if (::lstat(t.constData(), &st) == 0 || errno != ENOENT)
            return false;
        return ::rename(f.constData(), t.constData()) == 0;
    }

    bool copyNew(const QString& from, const QString& to) override
    {
        if (!usable(from) || !usable(to))
            return false;
        FileDescriptor source(retrying([&] { return ::open(native(from).constData(), O_RDONLY | O_CLOEXEC); }));
        struct stat st {};
        if (!source.valid() || ::fstat(source.get(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        const QByteArray target = native(to);
        FileDescriptor copy(retrying([&] {
            return ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          st.st_mode & 0777);
        }));
        if (!copy.valid())
            return false;
        const bool written = copyContents(source.get(), copy.get()) && ::fsync(copy.get()) == 0;
        if (copy.close() && written)
            return true;
        ::unlink(target.constData());
        return false;
    }

    bool syncFolder(const QString& path) override
    {
        if (!usable(path))
            return false;
        FileDescriptor folder(retrying([&] {
            return ::open(native(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }));
        return folder.valid() && ::fsync(folder.get()) == 0;
    }
};

const char* operationName(Operation operation)
{
    switch (operation) {
    case Operation::Exists: return "exists";
    case Operation::IsFolder: return "isFolder";
    case Operation::Size: return "size";
    case Operation::CreateFolder: return "createFolder";
    case Operation::RemoveEmptyFolder: return "removeEmptyFolder";
    case Operation::RemoveFile: return "removeFile";
    case Operation::Rename: return "rename";
    case Operation::CopyNew: return "copyNew";
    case Operation::SyncFolder: return "syncFolder";
    }
    return "?";
}

} // namespace

FileSystem& realFileSystem()
{
    static RealFileSystem fs;
    return fs;
}

// ---------------------------------------------------------------------------------------------

bool InterceptingFileSystem::failing(Operation operation, const QString& path, const QString& detail)
{
    const int call = ++calls_[size_t(operation)];
    log_.append(QLatin1String(operationName(operation)) + QLatin1Char(' ') + path
                + (detail.isEmpty() ? QString() : QStringLiteral(" -> ") + detail));
    return fail && fail(operation, path, call);
}

bool InterceptingFileSystem::exists(const QString& path)
{
    return !failing(Operation::Exists, path) && inner_.exists(path);
}

bool InterceptingFileSystem::isFolder(const QString& path)
{
    return !failing(Operation::IsFolder, path) && inner_.isFolder(path);
}

std::optional<qint64> InterceptingFileSystem::size(const QString& path)
{
    if (failing(Operation::Size, path))
        return std::nullopt;
    return inner_.size(path);
}

bool InterceptingFileSystem::createFolder(const QString& path)
{
    return !failing(Operation::CreateFolder, path) && inner_.createFolder(path);
}

bool InterceptingFileSystem::removeEmptyFolder(const QString& path)
{
    return !failing(Operation::RemoveEmptyFolder, path) && inner_.removeEmptyFolder(path);
}

bool InterceptingFileSystem::removeFile(const QString& path)
{
    return !failing(Operation::RemoveFile, path) && inner_.removeFile(path);
}

bool InterceptingFileSystem::rename(const QString& from, const QString& to, Replace replace)
{
    return !failing(Operation::Rename, from, to) && inner_.rename(from, to, replace);
}

bool InterceptingFileSystem::copyNew(const QString& from, const QString& to)
{
    return !failing(Operation::CopyNew, from, to) && inner_.copyNew(from, to);
}

bool InterceptingFileSystem::syncFolder(const QString& path)
{
    return !failing(Operation::SyncFolder, path) && inner_.syncFolder(path);
}

// ---------------------------------------------------------------------------------------------

FolderInstallation::FolderInstallation(QString folder, FileSystem& fs)
    : folder_(std::move(folder)), fs_(fs)
{
}

QString FolderInstallation::path(const QString& name) const
{
    return folder_ + QLatin1Char('/') + name;
}

// A dot hides it from a listing and from the installation's own names, which never start
// with one; the random part keeps it clear of anything the user has.
std::optional<QString> FolderInstallation::freeHiddenName(const QString& name, const char* purpose)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString hidden = QLatin1Char('.') + name + QLatin1String(".vuska-") + QLatin1String(purpose)
            + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate(), 36);
        if (!fs_.exists(path(hidden)))
            return hidden;
    }
    return std::nullopt;
}

FolderInstallation::Entry& FolderInstallation::entry(const QString& name)
{
    for (Entry& e : entries_) {
        if (e.name == name)
            return e;
    }
    entries_.append(Entry{name, {}, false});
    return entries_.last();
}

// A name of the folder itself: one component, nothing that climbs out of it.
bool FolderInstallation::acceptable(const QString& name) const
{
    return !ended_ && QDir::isAbsolutePath(folder_) && !name.isEmpty() && name != QLatin1String(".")
        && name != QLatin1String("..") && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

bool FolderInstallation::keepAside(const QString& name)
{
    if (!acceptable(name))
        return false;
    const QString target = path(name);
    if (!fs_.exists(target))
        return true;
    Entry& e = entry(name);
    if (!e.keptAs.isEmpty() || e.installed || fs_.isFolder(target))
        return false;
    const std::optional<QString> hidden = freeHiddenName(name, "kept");
    if (!hidden || !fs_.rename(target, path(*hidden), Replace::No))
        return !fs_.exists(target);
    e.keptAs = *hidden;
    return true;
}

bool FolderInstallation::install(const QString& sourcePath, const QString& name)
{
    if (!acceptable(name))
        return false;
    const std::optional<QString> temporary = freeHiddenName(name, "new");
    if (!temporary)
        return false;
    const QString fresh = path(*temporary);
    if (!fs_.copyNew(sourcePath, fresh))
        return false;
    if (!fs_.rename(fresh, path(name), Replace::Yes)) {
        fs_.removeFile(fresh);
        return false;
    }
    entry(name).installed = true;
    return true;
}

void FolderInstallation::rollback()
{
    if (ended_)
        return;
    ended_ = true;
    for (auto e = entries_.crbegin(); e != entries_.crend(); ++e) {
        if (!e->keptAs.isEmpty())
            fs_.rename(path(e->keptAs), path(e->name), Replace::Yes); // takes the new file's place
        else if (e->installed)
            fs_.removeFile(path(e->name));
    }
    fs_.syncFolder(folder_);
}

void FolderInstallation::commit()
{
    if (ended_)
        return;
    ended_ = true;
    for (const Entry& e : std::as_const(entries_)) {
        if (!e.keptAs.isEmpty())
            fs_.removeFile(path(e.keptAs));
    }
    // An earlier installation into this folder that was killed, or could not remove what it
    // had set aside, left hidden files of its own beside the names; they go now that the names
    // hold a whole installation. Only our own pattern of hidden name, only beside a name this
    // installation wrote, and never a folder.
    for (const Entry& e : std::as_const(entries_)) {
        if (!e.installed)
            continue;
        const QString prefix = QLatin1Char('.') + e.name + QLatin1String(".vuska-");
        static const QRegularExpression suffix(QStringLiteral("^(kept|new)-[0-9a-z]{1,13}$"));
        const QStringList found = QDir(folder_).entryList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& hidden : found) {
            if (hidden.startsWith(prefix) && suffix.match(QStringView(hidden).mid(prefix.size())).hasMatch()
                && !fs_.isFolder(path(hidden)))
                fs_.removeFile(path(hidden));
        }
    }
    fs_.syncFolder(folder_);
}

QList<std::pair<QString, QString>> FolderInstallation::keptAside() const
{
    QList<std::pair<QString, QString>> kept;
    if (ended_)
        return kept;
    for (const Entry& e : entries_) {
        if (!e.keptAs.isEmpty())
            kept.append({e.name, e.keptAs});
    }
    return kept;
}

} // namespace platform::installfiles
