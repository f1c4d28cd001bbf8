#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// A look-alike of the Windows registry for the game and its installer: a tree of keys under
// two hives, each key holding typed values, with the advapi32 operations the programs use.
//
// Where it lives: one SQLite database per hive,
//     $XDG_CONFIG_HOME/vuska-registry/HKEY_CURRENT_USER.db
//     $XDG_CONFIG_HOME/vuska-registry/HKEY_LOCAL_MACHINE.db
// with $HOME/.config in place of $XDG_CONFIG_HOME when that is unset, empty or not absolute.
// Every call that takes a Hive looks the location up again, so a change of the environment
// takes effect at once; an open Key stays with the store it was opened in.
//
// Names:
//  - A backslash separates key levels. Empty levels are ignored, so leading, trailing and
//    doubled backslashes name the same key as without them ("\A\\B\" is "A\B"). A path with
//    no levels at all ("" or "\") names the hive's root key, which always exists, even before
//    the store file does, and cannot be deleted.
//  - Key paths and value names compare under full Unicode case folding ("Ä" = "ä",
//    "STRASSE" = "straße"), with no Unicode normalisation. A key keeps the spelling of the
//    call that first created it (Key::path()); so does a value name.
//  - The empty value name is the key's default value. Names may hold any other character.
//
// Durability and sharing:
//  - Each write is a transaction of its own that has reached the disk (rollback journal,
//    synchronous=EXTRA) when the call returns Ok. A process killed at any moment therefore
//    leaves every write that had returned intact, and flushKey() has nothing left to do but
//    confirm that the key still exists.
//  - Other processes may use the same store at the same time: a write waits up to ten seconds
//    for another process's transaction to finish before it gives up with Failed.
//  - Batch gathers this process's writes to one hive into a single transaction.
//
// Failures: nothing throws and nothing is printed. Reads never create the folder or the
// database file. A store file that is damaged, or is not one of ours, is never deleted: it is
// renamed to "<file>.damaged-yyyyMMdd-HHmmss" (local time; "-2", "-3", ... appended when that
// name is taken), with its -journal, -wal and -shm files renamed alongside under the same new
// base name, and an empty store takes its place at the next write.
//
// All calls may be made from any thread; they are serialised inside.
namespace platform::registry {

enum class Hive { CurrentUser, LocalMachine };

// The numbers are the Windows REG_* type codes. setValue() accepts and queryValue() returns
// any other number too (cast it), kept as it is.
enum class ValueType : quint32 { None = 0, String = 1, ExpandString = 2, Binary = 3, DWord = 4 };

enum class Status {
    Ok,
    NotFound,     // no such key or value (or no store file yet); also a key deleted since opened
    MoreData,     // the value is longer than the buffer the caller allowed
    AccessDenied, // the store cannot be written: permissions or a read-only file system
    Failed        // anything else: a folder that cannot be made, a lock wait that timed out,
                  // a closed key handle, a damaged store that could not be set aside
};

namespace detail {
class Store;
struct KeyAccess;
} // namespace detail

// An open key handle. Movable, not copyable; closes itself when destroyed. A default-built,
// moved-from or closed Key is not open, and every operation on it gives Failed.
class Key {
public:
    Key();
    Key(Key&& other) noexcept;
    Key& operator=(Key&& other) noexcept;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key();

    bool isOpen() const { return store_ != nullptr; }
    Hive hive() const { return hive_; }
    // The key's path as stored (the spelling it was created with); empty for the root key.
    const QString& path() const { return path_; }

private:
    friend struct detail::KeyAccess;

    Hive hive_ = Hive::CurrentUser;
    QString path_;
    QString folded_;
    std::shared_ptr<detail::Store> store_;
};

// Like RegOpenKeyEx: the key must exist. Never creates anything, not even the store file.
// When `status` is given it receives the reason for an empty result (or Ok).
std::optional<Key> openKey(Hive hive, const QString& path, Status* status = nullptr);

// Like RegCreateKeyEx: opens the key, creating it and any missing keys above it first (and the
// store folder and file when needed).
std::optional<Key> createKey(Hive hive, const QString& path, Status* status = nullptr);

// Like RegQueryValueEx. On Ok, `type` and `data` receive the stored type and bytes. When the
// stored data is longer than `bufferSize` bytes the result is MoreData: `type` is set and `data`
// is left empty. On any other result both are left untouched.
Status queryValue(const Key& key, const QString& name, ValueType& type, QByteArray& data,
                  qsizetype bufferSize);

// Like RegSetValueEx: stores the type and bytes exactly as given, replacing any earlier value.
Status setValue(const Key& key, const QString& name, ValueType type, const QByteArray& data);

// Like RegFlushKey: Ok means everything written to the key so far is on the disk. Within a
// Batch, the batch's writes reach the disk with Batch::commit() instead.
Status flushKey(const Key& key);

// Like RegCloseKey; the same as letting the Key go out of scope.
void closeKey(Key& key);

// Like RegDeleteTree followed by RegDeleteKey: removes the key with its values and all keys
// below it (but not keys that merely share the beginning of the name: "A\B" leaves "A\BC").
// The root key cannot be deleted (AccessDenied).
Status deleteKey(Hive hive, const QString& path);

// The hive's database file, by the environment as it is now.
QString hiveFilePath(Hive hive);

// While a Batch lives, every write this process makes to the hive's store (through any Key,
// and deleteKey) goes into one transaction, taken when the first of them is made; commit()
// puts them all on the disk together, and destruction without commit() discards them all.
// The batch binds to the store the hive names when it is created.
//
// All or nothing holds strictly: once any write inside the batch has failed, commit() discards
// the rest too and returns Failed, and later writes fail at once. Batches for the same store
// nest: an inner one joins the outer, its commit() only agrees (Ok) and its destruction
// without commit() dooms the whole. While the transaction is open, other processes can read
// the store but their writes wait, so keep a batch short.
class Batch {
public:
    explicit Batch(Hive hive);
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch();

    // Ok when every write of the batch is on the disk (or there were none). Further calls give
    // Failed.
    Status commit();

private:
    std::shared_ptr<detail::Store> store_;
    bool finished_ = false;
};

} // namespace platform::registry
