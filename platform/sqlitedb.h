#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <map>

struct sqlite3;
struct sqlite3_stmt;

// A thin RAII layer over the sqlite3 C API: just enough for the registry store. Result codes
// are SQLite's own (extended codes are switched on); compare `rc & 0xff` with SQLITE_* values.
namespace platform::sqlite {

// A prepared statement borrowed from a Database's cache. It resets itself when it goes out of
// scope, so that no read transaction (and with it no shared lock on the file, which would
// keep other processes from committing) outlives the call that used it.
class Query {
public:
    Query(Query&& other) noexcept;
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;
    Query& operator=(Query&&) = delete;
    ~Query();

    void bind(int index, const QString& text);
    void bind(int index, const QByteArray& blob); // an empty array binds an empty blob, not NULL
    void bind(int index, qint64 number);

    // SQLITE_ROW, SQLITE_DONE or an error code (also the preparation's error, if that failed).
    int step();

    QString text(int column) const;
    QByteArray blob(int column) const;
    qint64 integer(int column) const;

private:
    friend class Database;
    Query(sqlite3_stmt* statement, int prepareResult);

    sqlite3_stmt* statement_ = nullptr;
    int prepareResult_ = 0;
    int bindResult_ = 0;
};

// One connection to a database file, keeping its prepared statements for reuse.
class Database {
public:
    Database() = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Opens read-write (read-only when the operating system refuses writing), creating the
    // file only when `create` is set. On failure the connection stays closed.
    int open(const QString& file, bool create);
    void close();

    bool isOpen() const { return db_ != nullptr; }
    bool isReadOnly() const;
    bool inTransaction() const;
    void setBusyTimeout(int milliseconds);

    // Runs statements that return no rows.
    int exec(const char* sql);

    // `sql` must outlive the connection (a string literal): the cache is keyed by its address.
    Query prepare(const char* sql);

    int changes() const;
    // The errno behind the last failed file operation, for telling "no permission" apart.
    int systemErrno() const;

private:
    sqlite3* db_ = nullptr;
    int openErrno_ = 0;
    std::map<const char*, sqlite3_stmt*> statements_;
};

} // namespace platform::sqlite
