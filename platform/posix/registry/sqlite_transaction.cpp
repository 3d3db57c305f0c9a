#include "platform/posix/registry/sqlite_transaction.h"

namespace registry {

namespace {

bool InsideTransaction(const SqliteConnection& connection) {
    return sqlite3_get_autocommit(connection.handle()) == 0;
}

}  // namespace

SqliteTransaction::SqliteTransaction(SqliteConnection& connection, Lock lock)
    : connection_(connection), nested_(InsideTransaction(connection)) {
    if (nested_) {
        connection_.Execute("SAVEPOINT nested");
    } else {
        connection_.Execute(lock == Lock::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
    }
}

void SqliteTransaction::Commit() {
    connection_.Execute(nested_ ? "RELEASE nested" : "COMMIT");
    committed_ = true;
}

SqliteTransaction::~SqliteTransaction() {
    // After some failures (a full disk, an I/O error) SQLite has rolled back by itself already.
    if (committed_ || !InsideTransaction(connection_)) return;
    sqlite3* handle = connection_.handle();
    sqlite3_exec(handle, nested_ ? "ROLLBACK TO nested; RELEASE nested" : "ROLLBACK", nullptr, nullptr,
                 nullptr);
}

}  // namespace registry
