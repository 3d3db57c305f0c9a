#include "platform/posix/registry/registry_schema.h"

#include <map>
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

constexpr const char* kTables[] = {"keys", "key_values"};
constexpr const char* kUnversionedTables = "it holds tables but no registry schema version";

[[noreturn]] void RefuseForeign(SqliteConnection& connection, const std::string& why) {
    connection.Fail(ERROR_BADDB, "not a registry file of this program: " + why);
}

// A table's columns (name, type, NOT NULL, key) and unique constraints, in a form that compares as text.
std::string DescribeTable(SqliteConnection& connection, const char* table) {
    SqliteStatement row(connection, R"sql(
SELECT group_concat(line, ';') FROM (
    SELECT name || ' ' || type || ' ' || "notnull" || ' ' || pk AS line FROM pragma_table_info(?1)
    UNION ALL
    SELECT 'unique(' || (SELECT group_concat(name) FROM pragma_index_info(list.name)) || ')'
        FROM pragma_index_list(?1) AS list WHERE list."unique"
    ORDER BY 1))sql");
    return row.Bind(1, std::string_view(table)).Step() ? row.Text(0) : std::string();
}

// The tables as this program creates them, made once in memory from the same statements.
const std::string& ExpectedTable(const char* table) {
    static const auto expected = [] {
        SqliteConnection reference(":memory:");
        reference.Check(sqlite3_exec(reference.handle(), kCreateSchema, nullptr, nullptr, nullptr));
        std::map<std::string, std::string, std::less<>> tables;
        for (const char* name : kTables) tables[name] = DescribeTable(reference, name);
        return tables;
    }();
    return expected.find(table)->second;
}

// A file that claims our schema version but whose tables are not ours would take rows in some tables and
// then fail halfway, so it is refused before anything is written.
void CheckTables(SqliteConnection& connection) {
    for (const char* table : kTables) {
        if (DescribeTable(connection, table) != ExpectedTable(table)) {
            RefuseForeign(connection, std::string("the table ") + table + " is missing or not ours");
        }
    }
}

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
            RefuseForeign(connection, kUnversionedTables);
        }
        sqlite3* handle = connection.handle();
        connection.Check(sqlite3_exec(handle, kCreateSchema, nullptr, nullptr, nullptr));
        connection.Execute("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    }
    transaction.Commit();
}

// The schema version of a file that is sound and ours, or 0 for one without tables; reads only.
std::int64_t CheckedVersion(SqliteConnection& connection) {
    // Only reads until the file is known to be ours or empty: a file that is not a database fails at the
    // header, another program's database at its tables, and neither is changed. The reads share one
    // snapshot, or another process making the schema between them would make an empty file look foreign.
    SqliteTransaction snapshot(connection, SqliteTransaction::Lock::Deferred);
    const std::int64_t version = connection.QueryInteger("PRAGMA user_version");
    CheckVersion(connection, version);
    if (std::string check = connection.QueryText("PRAGMA quick_check"); check != "ok") {
        connection.Fail(ERROR_REGISTRY_CORRUPT, check);
    }
    if (version == 0 && connection.QueryInteger("SELECT count(*) FROM sqlite_schema") != 0) {
        RefuseForeign(connection, kUnversionedTables);
    }
    if (version != 0) CheckTables(connection);
    snapshot.Commit();
    return version;
}

void RequireRoots(SqliteConnection& connection) {
    if (connection.QueryInteger("SELECT count(*) FROM keys WHERE id IN (1, 2) AND parent_id IS NULL") != 2) {
        connection.Fail(ERROR_REGISTRY_CORRUPT, "the root keys are missing");
    }
}

}  // namespace

bool CheckRegistrySchema(SqliteConnection& connection) {
    if (CheckedVersion(connection) == 0) return false;
    RequireRoots(connection);
    return true;
}

void EnsureRegistrySchema(SqliteConnection& connection) {
    const std::int64_t version = CheckedVersion(connection);
    // Switching needs the file to itself; ours is switched once, when it is made.
    if (connection.QueryText("PRAGMA journal_mode") != "wal")
        connection.ExecuteWhenUnlocked("PRAGMA journal_mode = WAL");
    connection.Execute("PRAGMA synchronous = FULL");
    connection.Execute("PRAGMA foreign_keys = ON");
    if (version == 0) CreateSchema(connection);
    RequireRoots(connection);
}

std::unique_ptr<SqliteConnection> EmptyRegistry() {
    auto memory = std::make_unique<SqliteConnection>(":memory:");
    memory->Check(sqlite3_exec(memory->handle(), kCreateSchema, nullptr, nullptr, nullptr));
    return memory;
}

}  // namespace registry
