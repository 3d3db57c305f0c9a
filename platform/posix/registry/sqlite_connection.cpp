#include "platform/posix/registry/sqlite_connection.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/posix/registry/lock_waiting.h"
#include "platform/posix/registry/registry_error.h"
#include "platform/posix/registry/sqlite_lock_holder.h"

namespace registry {

namespace {

LSTATUS StatusFor(int extendedResult, int systemError) {
    // A write that found no room: SQLite calls most of these I/O errors, some while it only reads (the
    // shared memory beside a file in write-ahead mode takes room too).
    if (systemError == ENOSPC || systemError == EDQUOT) return ERROR_CANTWRITE;
    switch (extendedResult) {
        case SQLITE_IOERR_READ:
        case SQLITE_IOERR_SHORT_READ:
            return ERROR_CANTREAD;
        case SQLITE_IOERR_WRITE:
        case SQLITE_IOERR_FSYNC:
        case SQLITE_IOERR_TRUNCATE:
            return ERROR_CANTWRITE;
        default:
            break;
    }
    switch (extendedResult & 0xff) {
        case SQLITE_NOTADB:
            return ERROR_BADDB;
        case SQLITE_CORRUPT:
            return ERROR_REGISTRY_CORRUPT;
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return ERROR_CANTOPEN;
        case SQLITE_READONLY:
        case SQLITE_FULL:
            return ERROR_CANTWRITE;
        case SQLITE_NOMEM:
            return ERROR_OUTOFMEMORY;
        case SQLITE_TOOBIG:
            return ERROR_INVALID_PARAMETER;
        default:
            return ERROR_REGISTRY_IO_FAILED;
    }
}

}  // namespace

SqliteStatement::SqliteStatement(SqliteConnection& connection, std::string_view sql)
    : connection_(connection), statement_(connection.Borrow(sql, lent_)) {}

SqliteStatement::~SqliteStatement() { SqliteConnection::GiveBack(statement_, lent_); }

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    connection_.Check(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
    // A null pointer would bind SQL NULL; an empty name is still text.
    const char* data = text.data() == nullptr ? "" : text.data();
    connection_.Check(sqlite3_bind_text64(statement_, index, data, text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::span<const std::uint8_t> bytes) {
    // A zero-length blob must still be a blob, not NULL, so point at something when the span is empty.
    static const std::uint8_t nothing = 0;
    const void* data = bytes.empty() ? &nothing : bytes.data();
    connection_.Check(sqlite3_bind_blob64(statement_, index, data, bytes.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::Step() {
    int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    connection_.Check(result);
    return false;
}

std::int64_t SqliteStatement::Integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_, column);
    int size = sqlite3_column_bytes(statement_, column);
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text), size);
}

std::string SqliteStatement::Blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr ? std::string() : std::string(static_cast<const char*>(bytes), size);
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file, std::chrono::milliseconds lockWait)
    : SqliteConnection(file, file.string(), SQLITE_OPEN_READWRITE, lockWait) {}

std::unique_ptr<SqliteConnection> SqliteConnection::ForReading(const std::filesystem::path& file,
                                                               std::string_view parameters) {
    // In a URI these would end the path or start an escape.
    std::string uri = "file:";
    for (char c : file.string()) {
        if (c == '%' || c == '?' || c == '#') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
            uri += escaped;
        } else {
            uri += c;
        }
    }
    uri += "?" + std::string(parameters);
    return std::unique_ptr<SqliteConnection>(
        new SqliteConnection(file, uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, kLockWait));
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file, const std::string& name, int flags,
                                   std::chrono::milliseconds lockWait)
    : file_(file), lockWait_(lockWait) {
    // Without the page cache's first bulk allocation (20 pages, each written at the first read), made for
    // the file and again for the temporary database of the start's integrity check: the registry's few
    // pages are allocated one by one, and the program does not carry the rest from its start to its end.
    // Settable only before SQLite's first use in the process; later it stays as it is.
    static const int withoutBulkPages = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    static_cast<void>(withoutBulkPages);
    sqlite3* raw = nullptr;
    int result = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_FULLMUTEX, nullptr);
    database_.reset(raw);
    if (raw == nullptr) throw RegistryError(ERROR_OUTOFMEMORY, file.string() + ": out of memory");
    sqlite3_extended_result_codes(raw, 1);
    Check(result);
    Check(sqlite3_busy_handler(raw, WaitWhileBusy, this));
}

// In steps of a millisecond, since writers that take turns would crawl with SQLite's own busy timeout,
// which backs off to far longer sleeps. The thread's way of waiting spends the steps (lock_waiting.h).
int SqliteConnection::WaitWhileBusy(void* context, int attempts) {
    auto& connection = *static_cast<SqliteConnection*>(context);
    const auto now = LockWaitNow();
    if (attempts == 0) connection.busySince_ = now;
    if (now - connection.busySince_ >= connection.lockWait_) return 0;
    PauseForLock(std::chrono::milliseconds(1));
    return 1;
}

sqlite3_stmt* SqliteConnection::Borrow(std::string_view sql, bool*& lent) {
    auto kept = kept_.find(sql);
    if (kept != kept_.end() && !kept->second.lent) {
        lent = &kept->second.lent;
        *lent = true;
        return kept->second.statement.get();
    }
    sqlite3_stmt* statement = nullptr;
    const int result =
        sqlite3_prepare_v2(database_.get(), sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    Prepared owned(statement);
    Check(result);
    if (kept != kept_.end()) return owned.release();
    Kept& added = kept_.emplace(std::string(sql), Kept{std::move(owned), true}).first->second;
    lent = &added.lent;
    return added.statement.get();
}

void SqliteConnection::GiveBack(sqlite3_stmt* statement, bool* lent) {
    if (lent == nullptr) return (void)sqlite3_finalize(statement);  // the copy for the occasion
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    *lent = false;
}

void SqliteConnection::Execute(std::string_view sql) {
    SqliteStatement statement(*this, sql);
    while (statement.Step()) {
    }
}

void SqliteConnection::ExecuteWhenUnlocked(std::string_view sql) {
    const std::string text(sql);
    for (int attempt = 0;; ++attempt) {
        const int result = sqlite3_exec(database_.get(), text.c_str(), nullptr, nullptr, nullptr);
        if ((result & 0xff) != SQLITE_BUSY || WaitWhileBusy(this, attempt) == 0) return Check(result);
    }
}

std::int64_t SqliteConnection::QueryInteger(std::string_view sql) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Integer(0) : 0;
}

std::string SqliteConnection::QueryText(std::string_view sql) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Text(0) : std::string();
}

void SqliteConnection::Check(int result) const {
    if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE) return;
    const char* message = sqlite3_errmsg(database_.get());
    std::string problem = message != nullptr ? message : sqlite3_errstr(result);
    // Only a long wait gets here: say who keeps the file, so the user can end or wait for it.
    if ((result & 0xff) == SQLITE_BUSY) problem += " " + DescribeLockHolder(file_);
    // SQLite's "disk I/O error" alone does not say what the disk refused.
    const int systemError = (result & 0xff) == SQLITE_IOERR ? sqlite3_system_errno(database_.get()) : 0;
    if (systemError != 0) problem += " (" + std::string(std::strerror(systemError)) + ")";
    Fail(StatusFor(sqlite3_extended_errcode(database_.get()), systemError), problem);
}

void SqliteConnection::Fail(std::int32_t code, std::string_view problem) const {
    throw RegistryError(code, file_.string() + ": " + std::string(problem));
}

}  // namespace registry
