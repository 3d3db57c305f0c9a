#include "platform/posix/registry/sqlite_connection.h"

#include <chrono>
#include <string>
#include <thread>

#include "platform/posix/registry/registry_error.h"

namespace registry {

namespace {

// Waits for another process's write in one-millisecond steps: long enough for any write to finish, short
// enough that a stuck lock surfaces as an error. SQLite's own busy timeout backs off to far longer sleeps,
// which makes writers that take turns crawl.
constexpr int kBusyRetries = 10000;

int WaitWhileBusy(void*, int attempts) {
    if (attempts >= kBusyRetries) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

LSTATUS StatusFor(int extendedResult) {
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

SqliteStatement::SqliteStatement(SqliteConnection& connection, std::string_view sql) : connection_(connection) {
    sqlite3_stmt* raw = nullptr;
    int result =
        sqlite3_prepare_v2(connection.handle(), sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    statement_.reset(raw);
    connection.Check(result);
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
    connection_.Check(sqlite3_bind_int64(statement_.get(), index, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
    // A null pointer would bind SQL NULL; an empty name is still text.
    const char* data = text.data() == nullptr ? "" : text.data();
    connection_.Check(
        sqlite3_bind_text64(statement_.get(), index, data, text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
    return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::span<const std::uint8_t> bytes) {
    // A zero-length blob must still be a blob, not NULL, so point at something when the span is empty.
    static const std::uint8_t nothing = 0;
    const void* data = bytes.empty() ? &nothing : bytes.data();
    connection_.Check(sqlite3_bind_blob64(statement_.get(), index, data, bytes.size(), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::Step() {
    int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    connection_.Check(result);
    return false;
}

std::int64_t SqliteStatement::Integer(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

std::string SqliteStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(statement_.get(), column);
    int size = sqlite3_column_bytes(statement_.get(), column);
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text), size);
}

std::string SqliteStatement::Blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_.get(), column);
    int size = sqlite3_column_bytes(statement_.get(), column);
    return bytes == nullptr ? std::string() : std::string(static_cast<const char*>(bytes), size);
}

SqliteConnection::SqliteConnection(const std::filesystem::path& file) : file_(file) {
    sqlite3* raw = nullptr;
    int result = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    database_.reset(raw);
    if (raw == nullptr) throw RegistryError(ERROR_OUTOFMEMORY, file.string() + ": out of memory");
    sqlite3_extended_result_codes(raw, 1);
    Check(result);
    Check(sqlite3_busy_handler(raw, WaitWhileBusy, nullptr));
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
        if ((result & 0xff) != SQLITE_BUSY || WaitWhileBusy(nullptr, attempt) == 0) return Check(result);
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
    Fail(StatusFor(sqlite3_extended_errcode(database_.get())),
         message != nullptr ? message : sqlite3_errstr(result));
}

void SqliteConnection::Fail(std::int32_t code, std::string_view problem) const {
    throw RegistryError(code, file_.string() + ": " + std::string(problem));
}

}  // namespace registry
