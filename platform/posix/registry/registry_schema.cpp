#include "platform/posix/registry/registry_schema.h"

#include <string>

#include "platform/api.h"
#include "platform/posix/registry/sqlite_transaction.h"

namespace registry {

namespace {

constexpr std::int64_t kSchemaVersion = 1;

constexpr const char* kCreateSchema = R"sql(
CREATE TABLE keys (
    id          INTEGER PRIMARY KEY AUTOINCREMENT,
    parent_id   INTEGER REFERENCES keys(id),
    name        TEXT NOT NULL,
    name_folded TEXT NOT NULL,
    UNIQUE (parent_id, name_folded)
);
CREATE TABLE key_values (
    key_id      INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name        TEXT NOT NULL,
    name_folded TEXT NOT NULL,
    type        INTEGER NOT NULL,
    data        BLOB NOT NULL,
    UNIQUE (key_id, name_folded)
);
INSERT INTO keys (id, parent_id, name, name_folded) VALUES
    (1, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user'),
    (2, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine');
)sql";

void CheckVersion(SqliteConnection& connection, std::int64_t version) {
    if (version > kSchemaVersion) {
        connection.Fail(ERROR_BADDB, "registry schema version " + std::to_string(version) +
                                         " is newer than this program understands (" +
                                         std::to_string(kSchemaVersion) + ")");
    }
}

// Creates the tables under a write lock, unless another process got there first.
void CreateSchema(SqliteConnection& connection) {
    SqliteTransaction transaction(connection, SqliteTransaction::Lock::Immediate);
    std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    CheckVersion(connection, version);
    if (version == 0) {
        if (connection.QueryInteger("SELECT count(*) FROM sqlite_schema") != 0) {
            connection.Fail(ERROR_BADDB, "holds tables but no registry schema version");
        }
        sqlite3* handle = connection.handle();
        connection.Check(sqlite3_exec(handle, kCreateSchema, nullptr, nullptr, nullptr));
        connection.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    }
    transaction.Commit();
}

}  // namespace

void EnsureRegistrySchema(SqliteConnection& connection) {
    // Reading the header first: a file that is not a database fails here, before anything writes to it.
    std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    CheckVersion(connection, version);
    if (std::string check = connection.QueryText("PRAGMA quick_check"); check != "ok") {
        connection.Fail(ERROR_REGISTRY_CORRUPT, check);
    }
    connection.ExecuteWhenUnlocked("PRAGMA journal_mode = WAL");
    connection.Execute("PRAGMA synchronous = FULL");
    connection.Execute("PRAGMA foreign_keys = ON");
    if (version == 0) CreateSchema(connection);
    if (connection.QueryInteger("SELECT count(*) FROM keys WHERE id IN (1, 2) AND parent_id IS NULL") != 2) {
        connection.Fail(ERROR_REGISTRY_CORRUPT, "the root keys are missing");
    }
}

}  // namespace registry
