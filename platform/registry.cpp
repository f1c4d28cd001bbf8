#include "platform/registry.h"

#include "platform/sqlitedb.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::registry {

namespace {

// Long enough to ride out another process's batch of writes on a slow disk.
constexpr int kBusyTimeoutMs = 10000;

// "VREG" in the database header marks a file as one of ours: a database without it that
// holds any tables belongs to something else and is set aside rather than written into.
constexpr qint64 kApplicationId = 0x56524547;

// keys.path and vals.key hold case-folded full paths ("" for the root), so that a lookup is
// one index probe and a subtree is one range: every key below P sorts between "P\" and "P]"
// (']' follows '\' in UTF-8 byte order). keys.name keeps the path as first spelled.
constexpr const char* kSchemaSql =
    "CREATE TABLE IF NOT EXISTS keys("
    "  path TEXT PRIMARY KEY,"
    "  parent TEXT,"
    "  name TEXT NOT NULL"
    ") WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS keys_by_parent ON keys(parent);"
    "CREATE TABLE IF NOT EXISTS vals("
    "  key TEXT NOT NULL,"
    "  fname TEXT NOT NULL,"
    "  name TEXT NOT NULL,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  PRIMARY KEY(key, fname)"
    ") WITHOUT ROWID;"
    "INSERT OR IGNORE INTO keys(path, parent, name) VALUES('', NULL, '');"
    "PRAGMA user_version = 1;"
    "PRAGMA application_id = 1448232263;"; // kApplicationId
static_assert(kApplicationId == 1448232263);

// The case folds that turn one character into several (CaseFolding.txt status F, Unicode 14,
// all in the BMP). QString::toCaseFolded() applies only the one-to-one folds, which is not
// enough to make "STRASSE" and "straße" the same name.
struct FullFold {
    char16_t from;
    const char16_t* to;
};
constexpr FullFold kFullFolds[] = {
    {0x00DF, u"ss"}, {0x0130, u"i\u0307"}, {0x0149, u"\u02BCn"}, {0x01F0, u"j\u030C"},
    {0x0390, u"\u03B9\u0308\u0301"}, {0x03B0, u"\u03C5\u0308\u0301"}, {0x0587, u"\u0565\u0582"},
    {0x1E96, u"h\u0331"}, {0x1E97, u"t\u0308"}, {0x1E98, u"w\u030A"}, {0x1E99, u"y\u030A"},
    {0x1E9A, u"a\u02BE"}, {0x1E9E, u"ss"}, {0x1F50, u"\u03C5\u0313"},
    {0x1F52, u"\u03C5\u0313\u0300"}, {0x1F54, u"\u03C5\u0313\u0301"},
    {0x1F56, u"\u03C5\u0313\u0342"}, {0x1F80, u"\u1F00\u03B9"}, {0x1F81, u"\u1F01\u03B9"},
    {0x1F82, u"\u1F02\u03B9"}, {0x1F83, u"\u1F03\u03B9"}, {0x1F84, u"\u1F04\u03B9"},
    {0x1F85, u"\u1F05\u03B9"}, {0x1F86, u"\u1F06\u03B9"}, {0x1F87, u"\u1F07\u03B9"},
    {0x1F88, u"\u1F00\u03B9"}, {0x1F89, u"\u1F01\u03B9"}, {0x1F8A, u"\u1F02\u03B9"},
    {0x1F8B, u"\u1F03\u03B9"}, {0x1F8C, u"\u1F04\u03B9"}, {0x1F8D, u"\u1F05\u03B9"},
    {0x1F8E, u"\u1F06\u03B9"}, {0x1F8F, u"\u1F07\u03B9"}, {0x1F90, u"\u1F20\u03B9"},
    {0x1F91, u"\u1F21\u03B9"}, {0x1F92, u"\u1F22\u03B9"}, {0x1F93, u"\u1F23\u03B9"},
    {0x1F94, u"\u1F24\u03B9"}, {0x1F95, u"\u1F25\u03B9"}, {0x1F96, u"\u1F26\u03B9"},
    {0x1F97, u"\u1F27\u03B9"}, {0x1F98, u"\u1F20\u03B9"}, {0x1F99, u"\u1F21\u03B9"},
    {0x1F9A, u"\u1F22\u03B9"}, {0x1F9B, u"\u1F23\u03B9"}, {0x1F9C, u"\u1F24\u03B9"},
    {0x1F9D, u"\u1F25\u03B9"}, {0x1F9E, u"\u1F26\u03B9"}, {0x1F9F, u"\u1F27\u03B9"},
    {0x1FA0, u"\u1F60\u03B9"}, {0x1FA1, u"\u1F61\u03B9"}, {0x1FA2, u"\u1F62\u03B9"},
    {0x1FA3, u"\u1F63\u03B9"}, {0x1FA4, u"\u1F64\u03B9"}, {0x1FA5, u"\u1F65\u03B9"},
    {0x1FA6, u"\u1F66\u03B9"}, {0x1FA7, u"\u1F67\u03B9"}, {0x1FA8, u"\u1F60\u03B9"},
    {0x1FA9, u"\u1F61\u03B9"}, {0x1FAA, u"\u1F62\u03B9"}, {0x1FAB, u"\u1F63\u03B9"},
    {0x1FAC, u"\u1F64\u03B9"}, {0x1FAD, u"\u1F65\u03B9"}, {0x1FAE, u"\u1F66\u03B9"},
    {0x1FAF, u"\u1F67\u03B9"}, {0x1FB2, u"\u1F70\u03B9"}, {0x1FB3, u"\u03B1\u03B9"},
    {0x1FB4, u"\u03AC\u03B9"}, {0x1FB6, u"\u03B1\u0342"}, {0x1FB7, u"\u03B1\u0342\u03B9"},
    {0x1FBC, u"\u03B1\u03B9"}, {0x1FC2, u"\u1F74\u03B9"}, {0x1FC3, u"\u03B7\u03B9"},
    {0x1FC4, u"\u03AE\u03B9"}, {0x1FC6, u"\u03B7\u0342"}, {0x1FC7, u"\u03B7\u0342\u03B9"},
    {0x1FCC, u"\u03B7\u03B9"}, {0x1FD2, u"\u03B9\u0308\u0300"}, {0x1FD3, u"\u03B9\u0308\u0301"},
    {0x1FD6, u"\u03B9\u0342"}, {0x1FD7, u"\u03B9\u0308\u0342"}, {0x1FE2, u"\u03C5\u0308\u0300"},
    {0x1FE3, u"\u03C5\u0308\u0301"}, {0x1FE4, u"\u03C1\u0313"}, {0x1FE6, u"\u03C5\u0342"},
    {0x1FE7, u"\u03C5\u0308\u0342"}, {0x1FF2, u"\u1F7C\u03B9"}, {0x1FF3, u"\u03C9\u03B9"},
    {0x1FF4, u"\u03CE\u03B9"}, {0x1FF6, u"\u03C9\u0342"}, {0x1FF7, u"\u03C9\u0342\u03B9"},
    {0x1FFC, u"\u03C9\u03B9"}, {0xFB00, u"ff"}, {0xFB01, u"fi"}, {0xFB02, u"fl"}, {0xFB03, u"ffi"},
    {0xFB04, u"ffl"}, {0xFB05, u"st"}, {0xFB06, u"st"}, {0xFB13, u"\u0574\u0576"},
    {0xFB14, u"\u0574\u0565"}, {0xFB15, u"\u0574\u056B"}, {0xFB16, u"\u057E\u0576"},
    {0xFB17, u"\u0574\u056D"},
};

static_assert(std::is_sorted(std::begin(kFullFolds), std::end(kFullFolds),
                             [](const FullFold& a, const FullFold& b) { return a.from < b.from; }));

QString foldCase(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const auto found = std::lower_bound(std::begin(kFullFolds), std::end(kFullFolds), unit,
                                            [](const FullFold& f, char16_t u) { return f.from < u; });
        if (found != std::end(kFullFolds) && found->from == unit)
            out += QString::fromUtf16(found->to);
        else
            out += c;
    }
    return out.toCaseFolded();
}

struct KeyPath {
    QStringList levels; // as spelled by the caller
    QStringList folded;

    bool isRoot() const { return levels.isEmpty(); }
    QString foldedPrefix(qsizetype count) const { return folded.mid(0, count).join(u'\\'); }
    QString foldedPath() const { return folded.join(u'\\'); }
};

KeyPath parsePath(const QString& path)
{
    KeyPath result;
    result.levels = path.split(u'\\', Qt::SkipEmptyParts);
    result.folded.reserve(result.levels.size());
    for (const QString& level : result.levels)
        result.folded.append(foldCase(level));
    return result;
}

bool deniesAccess(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

Status statusFor(int rc, int systemErrno)
{
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return Status::Ok;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Status::AccessDenied;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return deniesAccess(systemErrno) ? Status::AccessDenied : Status::Failed;
    default:
        return Status::Failed;
    }
}

Status statusForErrno(int error)
{
    return deniesAccess(error) ? Status::AccessDenied : Status::Failed;
}

bool isDamage(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// Makes a new or renamed entry in the folder durable: SQLite syncs its journal's folder
// entry but not the database file's own, nor the folders we make for it.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash > 0 ? path.left(slash) : QByteArray("/");
}

// mkdir -p that says why it failed (QDir::mkpath does not).
int makeFolders(const QByteArray& folder)
{
    struct stat info {};
    if (::stat(folder.constData(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (folder.lastIndexOf('/') > 0) {
        const int error = makeFolders(parentOf(folder));
        if (error != 0)
            return error;
    }
    if (::mkdir(folder.constData(), 0777) != 0)
        return errno == EEXIST ? 0 : errno;
    syncFolder(parentOf(folder));
    return 0;
}

// A rename that never replaces an existing file. Returns 0 or the errno.
int renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without RENAME_NOREPLACE: link() refuses to replace, too.
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    if (::unlink(source.constData()) != 0)
        return errno;
    return 0;
}

constexpr char kSqliteMagic[] = "SQLite format 3"; // with its NUL: 16 bytes

// Reads up to `size` bytes from the start of the file. Returns how many it got, -1 when the
// file cannot be opened.
ssize_t readHeader(const QByteArray& file, unsigned char* header, size_t size)
{
    const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const ssize_t got = ::pread(fd, header, size, 0);
    ::close(fd);
    return got;
}

// True when the file cannot be a database of any kind: not empty (SQLite's own way of
// starting a database) and not opening with SQLite's header. The first 16 bytes never change
// once written, so this needs no lock even while another process is writing the file.
bool hasForeignHeader(const QByteArray& file)
{
    unsigned char header[sizeof kSqliteMagic] = {};
    const ssize_t got = readHeader(file, header, sizeof header);
    if (got <= 0)
        return false;
    return got != ssize_t(sizeof header) || std::memcmp(header, kSqliteMagic, sizeof header) != 0;
}

// True when the file has SQLite's header but fields in it that SQLite neither accepts nor
// counts as damage: a schema format newer than any SQLite writes (every statement then fails
// with a plain error) or a write version it does not know (the file then opens read-only for
// good). Both are written once, when the file is made, so this needs no lock either.
bool hasBrokenHeader(const QByteArray& file)
{
    constexpr size_t kWriteVersion = 18;
    constexpr size_t kSchemaFormat = 44; // big-endian, 4 bytes
    constexpr quint32 kNewestSchemaFormat = 4;
    unsigned char header[kSchemaFormat + 4] = {};
    if (readHeader(file, header, sizeof header) != ssize_t(sizeof header)
        || std::memcmp(header, kSqliteMagic, sizeof kSqliteMagic) != 0)
        return false;
    return header[kWriteVersion] > 2 || qFromBigEndian<quint32>(header + kSchemaFormat) > kNewestSchemaFormat;
}

bool pathExists(const QString& file)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(file).constData(), &info) == 0;
}

QString configHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

// Groups the statements of one write call. Outside a batch it holds the write lock from the
// start (BEGIN IMMEDIATE), so that waiting for another writer goes through the busy timeout
// instead of failing on a lock upgrade; inside a batch it is a savepoint, so that a failed
// call leaves nothing half done in the batch.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite::Database& db)
        : db_(db), nested_(db.inTransaction())
    {
        begun_ = db_.exec(nested_ ? "SAVEPOINT registry_call" : "BEGIN IMMEDIATE");
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    ~WriteTransaction()
    {
        if (begun_ != SQLITE_OK || done_)
            return;
        if (nested_) {
            db_.exec("ROLLBACK TO registry_call");
            db_.exec("RELEASE registry_call");
        } else if (db_.inTransaction()) {
            db_.exec("ROLLBACK");
        }
    }

    int begun() const { return begun_; }
    int commit()
    {
        const int rc = db_.exec(nested_ ? "RELEASE registry_call" : "COMMIT");
        done_ = rc == SQLITE_OK;
        return rc;
    }

private:
    sqlite::Database& db_;
    bool nested_;
    int begun_ = SQLITE_OK;
    bool done_ = false;
};

} // namespace

namespace detail {

// One database file and this process's connection to it, opened when first needed and
// re-opened when the file has been removed or replaced underneath.
class Store {
public:
    enum class Access {
        Read,   // never creates anything
        Write,  // the file must exist already
        Create  // makes the folder and the file when they are missing
    };

    explicit Store(QString file) : file_(std::move(file)) {}
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const QString& file() const { return file_; }

    // Runs `op(db, status)` on a connection fit for `access`. `op` returns an SQLite result
    // code: SQLITE_OK when it ran through (its verdict is then in `status`), or the failing
    // call's code. A damaged file met on the way is set aside and the call tried once more on
    // a fresh store (not inside a batch, whose earlier writes went with the damaged file).
    template <typename Op>
    Status run(Access access, Op&& op)
    {
        const Status status = runRecovering(access, std::forward<Op>(op));
        // All or nothing: a batch that has lost one write must not commit the others.
        if (access != Access::Read && batchDepth_ > 0
            && (status == Status::Failed || status == Status::AccessDenied))
            batchBroken_ = true;
        return status;
    }

    void enterBatch()
    {
        if (batchDepth_++ == 0)
            batchBroken_ = false;
    }

    Status leaveBatch(bool commit)
    {
        if (batchDepth_ == 0)
            return Status::Failed;
        if (--batchDepth_ > 0) {
            if (!commit)
                batchBroken_ = true;
            return commit && !batchBroken_ ? Status::Ok : Status::Failed;
        }
        Status result = commit && batchBroken_ ? Status::Failed : Status::Ok;
        if (batchTransaction_) {
            batchTransaction_ = false;
            if (commit && !batchBroken_ && db_.inTransaction()) {
                const int rc = db_.exec("COMMIT");
                if (rc != SQLITE_OK) {
                    result = statusFor(rc, db_.systemErrno());
                    if (result == Status::Ok)
                        result = Status::Failed;
                }
            } else if (commit) {
                result = Status::Failed;
            }
            if (db_.inTransaction())
                db_.exec("ROLLBACK");
        }
        batchBroken_ = false;
        return result;
    }

private:
    enum class Check { Good, Empty, Damaged, Error };

    template <typename Op>
    Status runRecovering(Access access, Op&& op)
    {
        for (int attempt = 0;; ++attempt) {
            const Status ready = connect(access);
            if (ready != Status::Ok)
                return ready;
            const bool inBatch = batchTransaction_;
            Status status = Status::Ok;
            const int rc = op(db_, status);
            if (rc == SQLITE_OK)
                return status;
            if (isDamage(rc) || hasBrokenHeader(QFile::encodeName(file_))) {
                if (!setAside() || inBatch || attempt > 0)
                    return Status::Failed;
                continue;
            }
            // Our statements are fixed, so a plain error says the connection's picture of the
            // file no longer holds: a header field changed under it that SQLite checks only
            // when it reads the schema again. A fresh connection reads and checks the file
            // anew, and tells a damaged file from a sound one.
            if ((rc & 0xff) == SQLITE_ERROR && !inBatch && attempt == 0) {
                disconnect();
                continue;
            }
            const Status failed = statusFor(rc, db_.systemErrno());
            return failed == Status::Ok ? Status::Failed : failed;
        }
    }

    Status connect(Access access)
    {
        const bool writing = access != Access::Read;
        if (writing && batchDepth_ > 0 && batchBroken_)
            return Status::Failed;
        if (batchTransaction_) {
            if (db_.inTransaction())
                return Status::Ok;
            // SQLite gave the transaction up after an error: the batch's writes are gone.
            batchTransaction_ = false;
            batchBroken_ = true;
            if (writing)
                return Status::Failed;
        }
        // A write into a file no later opening would take is lost with it: SQLite keeps using
        // a schema it has read, so the header is looked at before each write (a write syncs,
        // three more system calls are nothing beside that).
        if (writing && db_.isOpen() && hasBrokenHeader(QFile::encodeName(file_)) && !setAside())
            return Status::Failed;
        if (db_.isOpen() && (!sameFileOnDisk() || (writing && !hasSchema_)))
            disconnect();
        if (!db_.isOpen()) {
            const Status opened = openConnection(access);
            if (opened != Status::Ok)
                return opened;
        }
        if (!writing) {
            // An empty store: another process may have set it up since we last looked.
            if (!hasSchema_ && schemaPresent() != SQLITE_OK)
                return Status::NotFound;
            return Status::Ok;
        }
        if (db_.isReadOnly()) {
            // Opened read-only because the file could not be written at the time; look again
            // next time, the permissions may have changed.
            disconnect();
            return Status::AccessDenied;
        }
        if (batchDepth_ > 0) {
            const int rc = db_.exec("BEGIN IMMEDIATE");
            if (rc != SQLITE_OK) {
                batchBroken_ = true;
                const Status status = statusFor(rc, db_.systemErrno());
                return status == Status::Ok ? Status::Failed : status;
            }
            batchTransaction_ = true;
        }
        return Status::Ok;
    }

    Status openConnection(Access access)
    {
        const QByteArray native = QFile::encodeName(file_);
        for (int attempt = 0; attempt < 3; ++attempt) {
            struct stat info {};
            if (::stat(native.constData(), &info) != 0) {
                const int error = errno;
                if (error != ENOENT && error != ENOTDIR)
                    return statusForErrno(error);
                if (access != Access::Create)
                    return Status::NotFound;
                const int made = makeFolders(parentOf(native));
                if (made != 0)
                    return statusForErrno(made);
            }
            // Checked before SQLite sees the file: SQLite would take a -journal or -wal beside a
            // file that is no database for its own, and replay or delete it.
            if (hasForeignHeader(native) || hasBrokenHeader(native)) {
                device_ = info.st_dev;
                inode_ = info.st_ino;
                if (!setAside())
                    return Status::Failed;
                continue;
            }
            int rc = db_.open(file_, access == Access::Create);
            if (rc != SQLITE_OK) {
                const Status status = statusFor(rc, db_.systemErrno());
                db_.close();
                if ((rc & 0xff) == SQLITE_CANTOPEN && access != Access::Create && !pathExists(file_))
                    return Status::NotFound; // removed between our look and the open
                return status == Status::Ok ? Status::Failed : status;
            }
            if (::stat(native.constData(), &info) != 0) {
                db_.close();
                continue;
            }
            device_ = info.st_dev;
            inode_ = info.st_ino;
            db_.setBusyTimeout(kBusyTimeoutMs);
            // EXTRA: with the rollback journal, FULL alone does not sync the folder after the
            // journal is deleted, so a committed write could come back undone after a power cut.
            // These read the schema first. A schema found damaged here must be taken as damage:
            // SQLite reads it only once as it is, and a second reading in the same connection
            // may fail with a plain error instead (an encoding number whose low bits alone are
            // valid), which would hide the damage for good.
            rc = db_.exec("PRAGMA synchronous = EXTRA; PRAGMA cell_size_check = ON;"
                          "PRAGMA trusted_schema = OFF;");
            if (isDamage(rc)) {
                if (!setAside())
                    return Status::Failed;
                continue;
            }

            rc = SQLITE_OK;
            const Check check = verify(rc);
            if (check == Check::Damaged) {
                if (!setAside())
                    return Status::Failed;
                continue;
            }
            if (check == Check::Error) {
                const Status status = statusFor(rc, db_.systemErrno());
                disconnect();
                return status == Status::Ok ? Status::Failed : status;
            }
            hasSchema_ = check == Check::Good;
            if (hasSchema_ || access == Access::Read)
                return Status::Ok;
            if (db_.isReadOnly()) {
                disconnect();
                return Status::AccessDenied;
            }
            rc = createSchema();
            if (rc == SQLITE_OK) {
                hasSchema_ = true;
                syncFolder(parentOf(native));
                return Status::Ok;
            }
            if (isDamage(rc)) {
                if (!setAside())
                    return Status::Failed;
                continue;
            }
            const Status status = statusFor(rc, db_.systemErrno());
            disconnect();
            return status == Status::Ok ? Status::Failed : status;
        }
        disconnect();
        return Status::Failed;
    }

    // Reads the file through once (quick_check) and makes sure it is ours. All in one read
    // transaction, so that a store another process is setting up right now is seen either
    // empty or complete, never half made (which would look foreign).
    Check verify(int& rc)
    {
        rc = db_.exec("BEGIN");
        if (rc != SQLITE_OK)
            return isDamage(rc) ? Check::Damaged : Check::Error;
        const Check check = verifyInTransaction(rc);
        if (db_.exec("COMMIT") != SQLITE_OK && db_.inTransaction())
            db_.exec("ROLLBACK");
        return check;
    }

    Check verifyInTransaction(int& rc)
    {
        const auto failed = [&rc](int code) {
            rc = code;
            return isDamage(code) ? Check::Damaged : Check::Error;
        };
        {
            sqlite::Query check = db_.prepare("PRAGMA quick_check(1)");
            const int step = check.step();
            if (step != SQLITE_ROW)
                return failed(step);
            if (check.text(0) != QLatin1String("ok"))
                return Check::Damaged;
        }
        qint64 applicationId = 0;
        {
            sqlite::Query id = db_.prepare("PRAGMA application_id");
            const int step = id.step();
            if (step != SQLITE_ROW)
                return failed(step);
            applicationId = id.integer(0);
        }
        sqlite::Query tables = db_.prepare(
            "SELECT count(*), count(CASE WHEN type = 'table' AND name IN ('keys', 'vals') THEN 1 END)"
            " FROM sqlite_master");
        const int step = tables.step();
        if (step != SQLITE_ROW)
            return failed(step);
        const qint64 all = tables.integer(0);
        const qint64 ours = tables.integer(1);
        if (applicationId == kApplicationId)
            return ours == 2 ? Check::Good : Check::Damaged;
        if (applicationId == 0 && all == 0)
            return Check::Empty;
        return Check::Damaged;
    }

    int schemaPresent()
    {
        int rc = SQLITE_OK;
        const Check check = verify(rc);
        if (check == Check::Good) {
            hasSchema_ = true;
            return SQLITE_OK;
        }
        return rc == SQLITE_OK ? SQLITE_NOTFOUND : rc;
    }

    int createSchema()
    {
        WriteTransaction transaction(db_);
        if (transaction.begun() != SQLITE_OK)
            return transaction.begun();
        // Looked at again under the write lock: another process may have set the store up
        // while we waited for it, or put something there that must not be written into.
        int rc = SQLITE_OK;
        const Check check = verifyInTransaction(rc);
        if (check == Check::Damaged)
            return SQLITE_NOTADB;
        if (check == Check::Error)
            return rc;
        if (check == Check::Empty) {
            rc = db_.exec(kSchemaSql);
            if (rc != SQLITE_OK)
                return rc;
        }
        return transaction.commit();
    }

    bool sameFileOnDisk() const
    {
        struct stat info {};
        return ::stat(QFile::encodeName(file_).constData(), &info) == 0 && info.st_dev == device_
            && info.st_ino == inode_;
    }

    void disconnect()
    {
        if (batchTransaction_) {
            batchTransaction_ = false;
            batchBroken_ = true;
        }
        db_.close();
        hasSchema_ = false;
    }

    // Moves the damaged file (and its companions) out of the way under a name that has not
    // been used, never replacing or deleting anything. Only the file found damaged (device_,
    // inode_) is moved: if another process has moved it already and started a fresh store
    // in its place, that one is left alone.
    bool setAside()
    {
        disconnect();
        const QByteArray native = QFile::encodeName(file_);
        struct stat info {};
        if (::stat(native.constData(), &info) != 0)
            return errno == ENOENT;
        if (info.st_dev != device_ || info.st_ino != inode_)
            return true;
        static const QString companions[] = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                             QStringLiteral("-shm")};
        const QString base = file_ + QStringLiteral(".damaged-")
            + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        for (int n = 1; n < 10000; ++n) {
            const QString target = n == 1 ? base : base + u'-' + QString::number(n);
            bool taken = pathExists(target);
            for (const QString& companion : companions)
                taken = taken || pathExists(target + companion);
            if (taken)
                continue;
            const int error = renameNoReplace(file_, target);
            if (error == EEXIST)
                continue;
            if (error == ENOENT)
                return true; // another process has just moved it
            if (error != 0)
                return false;
            bool moved = true;
            for (const QString& companion : companions) {
                const int companionError = renameNoReplace(file_ + companion, target + companion);
                moved = moved && (companionError == 0 || companionError == ENOENT);
            }
            syncFolder(parentOf(native));
            return moved;
        }
        return false;
    }

    QString file_;
    sqlite::Database db_;
    bool hasSchema_ = false;
    dev_t device_ {};
    ino_t inode_ {};
    int batchDepth_ = 0;
    bool batchTransaction_ = false;
    bool batchBroken_ = false;
};

struct KeyAccess {
    static Key make(Hive hive, std::shared_ptr<Store> store, QString path, QString folded)
    {
        Key key;
        key.hive_ = hive;
        key.path_ = std::move(path);
        key.folded_ = std::move(folded);
        key.store_ = std::move(store);
        return key;
    }
    static Store* store(const Key& key) { return key.store_.get(); }
    static const QString& folded(const Key& key) { return key.folded_; }
};

} // namespace detail

namespace {

using detail::KeyAccess;
using detail::Store;
using Access = Store::Access;

std::mutex& registryMutex()
{
    static std::mutex mutex;
    return mutex;
}

// One Store per file in the process, so that a batch and every Key on that file share one
// connection (a second connection would wait on the batch's own lock). The current store of
// each hive is kept alive between calls; the rest live as long as a Key or Batch holds them.
std::shared_ptr<Store> storeFor(Hive hive)
{
    static std::shared_ptr<Store> current[2];
    static std::map<QString, std::weak_ptr<Store>> live;

    const QString file = hiveFilePath(hive);
    std::shared_ptr<Store>& cached = current[hive == Hive::CurrentUser ? 0 : 1];
    if (cached && cached->file() == file)
        return cached;
    std::shared_ptr<Store> store;
    if (const auto found = live.find(file); found != live.end())
        store = found->second.lock();
    if (!store) {
        store = std::make_shared<Store>(file);
        live[file] = store;
    }
    cached = store;
    std::erase_if(live, [](const auto& entry) { return entry.second.expired(); });
    return store;
}

// Write calls on the root key may create the store (the root exists without it); on any
// other key the store must already hold it.
Access writeAccessFor(const Key& key)
{
    return KeyAccess::folded(key).isEmpty() ? Access::Create : Access::Write;
}

int keyExists(sqlite::Database& db, const QString& folded, Status& status)
{
    sqlite::Query query = db.prepare("SELECT 1 FROM keys WHERE path = ?1");
    query.bind(1, folded);
    const int rc = query.step();
    if (rc == SQLITE_DONE)
        status = Status::NotFound;
    return rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : rc;
}

} // namespace

Key::Key() = default;
Key::Key(Key&& other) noexcept = default;
Key& Key::operator=(Key&& other) noexcept = default;
Key::~Key() = default;

QString hiveFilePath(Hive hive)
{
    return configHome() + QStringLiteral("/vuska-registry/")
        + (hive == Hive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER.db")
                                     : QStringLiteral("HKEY_LOCAL_MACHINE.db"));
}

std::optional<Key> openKey(Hive hive, const QString& path, Status* status)
{
    std::lock_guard lock(registryMutex());
    std::shared_ptr<Store> store = storeFor(hive);
    const KeyPath keyPath = parsePath(path);
    if (keyPath.isRoot()) {
        if (status)
            *status = Status::Ok;
        return KeyAccess::make(hive, std::move(store), QString(), QString());
    }
    const QString folded = keyPath.foldedPath();
    QString spelled;
    const Status result = store->run(Access::Read, [&](sqlite::Database& db, Status& found) {
        sqlite::Query query = db.prepare("SELECT name FROM keys WHERE path = ?1");
        query.bind(1, folded);
        const int rc = query.step();
        if (rc == SQLITE_ROW)
            spelled = query.text(0);
        else if (rc == SQLITE_DONE)
            found = Status::NotFound;
        else
            return rc;
        return SQLITE_OK;
    });
    if (status)
        *status = result;
    if (result != Status::Ok)
        return std::nullopt;
    return KeyAccess::make(hive, std::move(store), spelled, folded);
}

std::optional<Key> createKey(Hive hive, const QString& path, Status* status)
{
    std::lock_guard lock(registryMutex());
    std::shared_ptr<Store> store = storeFor(hive);
    const KeyPath keyPath = parsePath(path);
    QString spelled;
    const Status result = store->run(Access::Create, [&](sqlite::Database& db, Status&) {
        WriteTransaction transaction(db);
        if (transaction.begun() != SQLITE_OK)
            return transaction.begun();
        spelled.clear();
        for (qsizetype level = 1; level <= keyPath.levels.size(); ++level) {
            const QString folded = keyPath.foldedPrefix(level);
            {
                sqlite::Query insert = db.prepare(
                    "INSERT OR IGNORE INTO keys(path, parent, name) VALUES(?1, ?2, ?3)");
                insert.bind(1, folded);
                insert.bind(2, keyPath.foldedPrefix(level - 1));
                insert.bind(3, level == 1 ? keyPath.levels[0]
                                          : spelled + u'\\' + keyPath.levels[level - 1]);
                const int rc = insert.step();
                if (rc != SQLITE_DONE)
                    return rc;
            }
            sqlite::Query name = db.prepare("SELECT name FROM keys WHERE path = ?1");
            name.bind(1, folded);
            const int rc = name.step();
            if (rc != SQLITE_ROW)
                return rc == SQLITE_DONE ? SQLITE_INTERNAL : rc;
            spelled = name.text(0);
        }
        return transaction.commit();
    });
    if (status)
        *status = result;
    if (result != Status::Ok)
        return std::nullopt;
    return KeyAccess::make(hive, std::move(store), spelled, keyPath.foldedPath());
}

Status queryValue(const Key& key, const QString& name, ValueType& type, QByteArray& data,
                  qsizetype bufferSize)
{
    if (!key.isOpen())
        return Status::Failed;
    std::lock_guard lock(registryMutex());
    const QString foldedName = foldCase(name);
    return KeyAccess::store(key)->run(Access::Read, [&](sqlite::Database& db, Status& status) {
        sqlite::Query query = db.prepare("SELECT type, data FROM vals WHERE key = ?1 AND fname = ?2");
        query.bind(1, KeyAccess::folded(key));
        query.bind(2, foldedName);
        const int rc = query.step();
        if (rc == SQLITE_DONE) {
            status = Status::NotFound;
            return SQLITE_OK;
        }
        if (rc != SQLITE_ROW)
            return rc;
        type = static_cast<ValueType>(quint32(query.integer(0)));
        QByteArray stored = query.blob(1);
        if (stored.size() > std::max<qsizetype>(bufferSize, 0)) {
            data.clear();
            status = Status::MoreData;
        } else {
            data = std::move(stored);
        }
        return SQLITE_OK;
    });
}

Status setValue(const Key& key, const QString& name, ValueType type, const QByteArray& data)
{
    if (!key.isOpen())
        return Status::Failed;
    std::lock_guard lock(registryMutex());
    const QString foldedName = foldCase(name);
    return KeyAccess::store(key)->run(writeAccessFor(key), [&](sqlite::Database& db, Status& status) {
        WriteTransaction transaction(db);
        if (transaction.begun() != SQLITE_OK)
            return transaction.begun();
        {
            // The EXISTS makes a value for a key deleted meanwhile fail instead of dangling.
            sqlite::Query upsert = db.prepare(
                "INSERT INTO vals(key, fname, name, type, data)"
                " SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS(SELECT 1 FROM keys WHERE path = ?1)"
                " ON CONFLICT(key, fname) DO UPDATE SET type = excluded.type, data = excluded.data");
            upsert.bind(1, KeyAccess::folded(key));
            upsert.bind(2, foldedName);
            upsert.bind(3, name);
            upsert.bind(4, qint64(quint32(type)));
            upsert.bind(5, data);
            const int rc = upsert.step();
            if (rc != SQLITE_DONE)
                return rc;
        }
        if (db.changes() == 0) {
            status = Status::NotFound;
            return SQLITE_OK;
        }
        return transaction.commit();
    });
}

Status flushKey(const Key& key)
{
    if (!key.isOpen())
        return Status::Failed;
    if (KeyAccess::folded(key).isEmpty())
        return Status::Ok;
    std::lock_guard lock(registryMutex());
    // Every write was durable when it returned, so all that is left is to confirm that the
    // key is still there to have been written to.
    return KeyAccess::store(key)->run(Access::Read, [&](sqlite::Database& db, Status& status) {
        return keyExists(db, KeyAccess::folded(key), status);
    });
}

void closeKey(Key& key)
{
    key = Key();
}

Status deleteKey(Hive hive, const QString& path)
{
    const KeyPath keyPath = parsePath(path);
    if (keyPath.isRoot())
        return Status::AccessDenied;
    std::lock_guard lock(registryMutex());
    const QString folded = keyPath.foldedPath();
    const QString below = folded + u'\\';
    const QString beyond = folded + u']';
    return storeFor(hive)->run(Access::Write, [&](sqlite::Database& db, Status& status) {
        WriteTransaction transaction(db);
        if (transaction.begun() != SQLITE_OK)
            return transaction.begun();
        int rc = keyExists(db, folded, status);
        if (rc != SQLITE_OK || status != Status::Ok)
            return rc;
        {
            sqlite::Query values = db.prepare(
                "DELETE FROM vals WHERE key = ?1 OR (key >= ?2 AND key < ?3)");
            values.bind(1, folded);
            values.bind(2, below);
            values.bind(3, beyond);
            rc = values.step();
            if (rc != SQLITE_DONE)
                return rc;
        }
        {
            sqlite::Query keys = db.prepare(
                "DELETE FROM keys WHERE path = ?1 OR (path >= ?2 AND path < ?3)");
            keys.bind(1, folded);
            keys.bind(2, below);
            keys.bind(3, beyond);
            rc = keys.step();
            if (rc != SQLITE_DONE)
                return rc;
        }
        return transaction.commit();
    });
}

Batch::Batch(Hive hive)
{
    std::lock_guard lock(registryMutex());
    store_ = storeFor(hive);
    store_->enterBatch();
}

Batch::~Batch()
{
    if (finished_)
        return;
    std::lock_guard lock(registryMutex());
    store_->leaveBatch(false);
}

Status Batch::commit()
{
    if (finished_)
        return Status::Failed;
    finished_ = true;
    std::lock_guard lock(registryMutex());
    return store_->leaveBatch(true);
}

} // namespace platform::registry
