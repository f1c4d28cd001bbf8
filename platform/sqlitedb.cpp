#include "platform/sqlitedb.h"

#include <QFile>

#include <sqlite3.h>

namespace platform::sqlite {

Query::Query(sqlite3_stmt* statement, int prepareResult)
    : statement_(statement), prepareResult_(prepareResult)
{
}

Query::Query(Query&& other) noexcept
    : statement_(other.statement_),
      prepareResult_(other.prepareResult_),
      bindResult_(other.bindResult_)
{
    other.statement_ = nullptr;
}

Query::~Query()
{
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

void Query::bind(int index, const QString& text)
{
    if (!statement_)
        return;
    const QByteArray utf8 = text.toUtf8();
    const int rc = sqlite3_bind_text64(statement_, index, utf8.constData(), quint64(utf8.size()),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK && bindResult_ == SQLITE_OK)
        bindResult_ = rc;
}

void Query::bind(int index, const QByteArray& blob)
{
    if (!statement_)
        return;
    // A null pointer would bind SQL NULL; the data column holds empty blobs, never NULL.
    const int rc = blob.isEmpty()
        ? sqlite3_bind_zeroblob(statement_, index, 0)
        : sqlite3_bind_blob64(statement_, index, blob.constData(), quint64(blob.size()),
                              SQLITE_TRANSIENT);
    if (rc != SQLITE_OK && bindResult_ == SQLITE_OK)
        bindResult_ = rc;
}

void Query::bind(int index, qint64 number)
{
    if (!statement_)
        return;
    const int rc = sqlite3_bind_int64(statement_, index, number);
    if (rc != SQLITE_OK && bindResult_ == SQLITE_OK)
        bindResult_ = rc;
}

int Query::step()
{
    if (!statement_)
        return prepareResult_ != SQLITE_OK ? prepareResult_ : SQLITE_MISUSE;
    if (bindResult_ != SQLITE_OK)
        return bindResult_;
    return sqlite3_step(statement_);
}

QString Query::text(int column) const
{
    const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(chars, sqlite3_column_bytes(statement_, column));
}

QByteArray Query::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return QByteArray(bytes, sqlite3_column_bytes(statement_, column));
}

qint64 Query::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

Database::~Database()
{
    close();
}

int Database::open(const QString& file, bool create)
{
    close();
    int flags = SQLITE_OPEN_READWRITE;
    if (create)
        flags |= SQLITE_OPEN_CREATE;
    const QByteArray name = QFile::encodeName(file);
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        openErrno_ = db_ ? sqlite3_system_errno(db_) : 0;
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return rc;
    }
    openErrno_ = 0;
    sqlite3_extended_result_codes(db_, 1);
    return SQLITE_OK;
}

void Database::close()
{
    for (auto& entry : statements_)
        sqlite3_finalize(entry.second);
    statements_.clear();
    if (db_) {
        // Rolls back any transaction still open, which is what an abandoned one needs.
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Database::isReadOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

bool Database::inTransaction() const
{
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

void Database::setBusyTimeout(int milliseconds)
{
    if (db_)
        sqlite3_busy_timeout(db_, milliseconds);
}

int Database::exec(const char* sql)
{
    if (!db_)
        return SQLITE_MISUSE;
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

Query Database::prepare(const char* sql)
{
    if (!db_)
        return Query(nullptr, SQLITE_MISUSE);
    const auto found = statements_.find(sql);
    if (found != statements_.end())
        return Query(found->second, SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        return Query(nullptr, rc);
    }
    statements_.emplace(sql, statement);
    return Query(statement, SQLITE_OK);
}

int Database::changes() const
{
    return db_ ? sqlite3_changes(db_) : 0;
}

int Database::systemErrno() const
{
    return db_ ? sqlite3_system_errno(db_) : openErrno_;
}

} // namespace platform::sqlite
