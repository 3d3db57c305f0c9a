#include "platform/posix/registry/sqlite_transaction.h"

namespace registry {

SqliteTransaction::SqliteTransaction(SqliteConnection& connection, Lock lock) : connection_(connection) {
    connection_.Execute(lock == Lock::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

void SqliteTransaction::Commit() {
    connection_.Execute("COMMIT");
    committed_ = true;
}

SqliteTransaction::~SqliteTransaction() {
    // After some failures (a full disk, an I/O error) SQLite has rolled back by itself already.
    if (!committed_ && sqlite3_get_autocommit(connection_.handle()) == 0) {
        sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

}  // namespace registry
