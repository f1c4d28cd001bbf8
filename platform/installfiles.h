#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <optional>

// Writing an installation's files into a folder of the user's, so that a failure at any point
// can put the folder back exactly as it was and a process killed at any moment leaves no
// half-written file under any of the installation's names. Every path here is a host path.
namespace platform::installfiles {

enum class Replace { No, Yes };

// The file operations an installation is made of, one system call's worth each, so that a
// test can make any single one of them fail. Nothing here follows a symbolic link except
// where it says so, and nothing throws.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether anything at all lies under the path: a file, a folder, a link (also one that
    // leads nowhere).
    virtual bool exists(const QString& path) = 0;
    // Whether the path is a folder itself; a link to a folder is not one.
    virtual bool isFolder(const QString& path) = 0;
    // The size of the regular file the path leads to, through links; nothing for a missing
    // file, a folder or anything else that is not a regular file.
    virtual std::optional<qint64> size(const QString& path) = 0;
    // Makes one folder; its parent must exist already.
    virtual bool createFolder(const QString& path) = 0;
    // Removes a folder that is empty, never anything inside it.
    virtual bool removeEmptyFolder(const QString& path) = 0;
    // Removes the name itself: a link, never what it leads to. Refuses folders.
    virtual bool removeFile(const QString& path) = 0;
    // Gives whatever lies under `from` the name `to` in the same folder. With Replace::No it
    // fails when `to` is taken; with Replace::Yes it takes the place of what is there, in
    // one step, so that `to` always names one or the other.
    virtual bool rename(const QString& from, const QString& to, Replace replace) = 0;
    // Makes a new file `to` (which must not exist; a link there counts) holding what the
    // regular file `from` holds, through links, with its permission bits as the umask lets
    // them, and on the disk when it answers true. A failure leaves nothing at `to`.
    virtual bool copyNew(const QString& from, const QString& to) = 0;
    // Makes the folder's own entries (names added, renamed, removed) durable.
    virtual bool syncFolder(const QString& path) = 0;
};

// The host's file system.
FileSystem& realFileSystem();

enum class Operation {
    Exists,
    IsFolder,
    Size,
    CreateFolder,
    RemoveEmptyFolder,
    RemoveFile,
    Rename,
    CopyNew,
    SyncFolder,
};
inline constexpr int OperationCount = 9;

// Passes every call on to another file system, counting them, and lets a test fail the ones
// it chooses: `fail` is asked before each call with the operation, its (first) path and the
// call's number among the calls of that operation (1 for the first); when it answers true
// the call does not reach the inner file system and answers as a failure (exists: false,
// isFolder: false, size: nothing).
class InterceptingFileSystem : public FileSystem {
public:
    explicit InterceptingFileSystem(FileSystem& inner = realFileSystem()) : inner_(inner) {}

    std::function<bool(Operation operation, const QString& path, int call)> fail;
    int calls(Operation operation) const { return calls_[size_t(operation)]; }
    // Every call in order, as "operation path" (rename and copy: "operation from -> to").
    const QList<QString>& log() const { return log_; }

    bool exists(const QString& path) override;
    bool isFolder(const QString& path) override;
    std::optional<qint64> size(const QString& path) override;
    bool createFolder(const QString& path) override;
    bool removeEmptyFolder(const QString& path) override;
    bool removeFile(const QString& path) override;
    bool rename(const QString& from, const QString& to, Replace replace) override;
    bool copyNew(const QString& from, const QString& to) override;
    bool syncFolder(const QString& path) override;

private:
    bool failing(Operation operation, const QString& path, const QString& detail = {});

    FileSystem& inner_;
    std::array<int, OperationCount> calls_{};
    QList<QString> log_;
};

// One installation into one folder. Every name it writes is freed first with keepAside() and
// then filled with install(); until commit() the files it replaced lie beside their names
// under hidden names of their own, so that rollback() can put the folder back as it was.
// Only the names given and the hidden names it made itself are ever touched.
class FolderInstallation {
public:
    // `folder` is an absolute host path; with any other, nothing can be installed.
    explicit FolderInstallation(QString folder, FileSystem& fs = realFileSystem());
    FolderInstallation(const FolderInstallation&) = delete;
    FolderInstallation& operator=(const FolderInstallation&) = delete;

    const QString& folder() const { return folder_; }

    // Frees `name` for a new file: whatever lies there (a file, a link, also one to a folder)
    // is renamed to a hidden name beside it and remembered. Nothing there is a success too.
    // False, with the name left as it was, for a folder or when the rename fails.
    bool keepAside(const QString& name);
    // Copies the file at `sourcePath` to `name`: into a hidden new file beside it, onto the
    // disk, then renamed over the name. False, with the new file gone, when any step fails.
    bool install(const QString& sourcePath, const QString& name);
    // Puts the folder back as it was: the installed files go, the kept-aside ones get their
    // names back, the latest first. Failures are passed over. Ends the installation.
    void rollback();
    // The installation stands: the files it replaced are removed, and so are hidden files that
    // an earlier, interrupted installation left beside the names this one wrote. Ends the
    // installation.
    void commit();

    // The hidden names that lie in the folder for now: kept-aside files of this
    // installation, by the name they stand aside from.
    QList<std::pair<QString, QString>> keptAside() const;

private:
    struct Entry {
        QString name;
        QString keptAs; // empty: nothing was there
        bool installed = false;
    };
    bool acceptable(const QString& name) const;
    QString path(const QString& name) const;
    std::optional<QString> freeHiddenName(const QString& name, const char* purpose);
    Entry& entry(const QString& name);

    QString folder_;
    FileSystem& fs_;
    QList<Entry> entries_;
    bool ended_ = false;
};

} // namespace platform::installfiles
