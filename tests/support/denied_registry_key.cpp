#include "tests/support/denied_registry_key.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <sstream>

#include "platform/posix/registry/registry_location.h"

namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

// The key's row id, found one name at a time from its root's fixed row.
sqlite3_int64 KeyId(sqlite3* database, HKEY root, const std::string& keyPath) {
    sqlite3_int64 id = root == HKEY_LOCAL_MACHINE ? 2 : 1;
    std::istringstream names(keyPath);
    for (std::string name; std::getline(names, name, '\\');) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(database, "SELECT id FROM keys WHERE parent_id = ? AND name_folded = lower(?)", -1,
                           &statement, nullptr);
        sqlite3_bind_int64(statement, 1, id);
        sqlite3_bind_text(statement, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        const bool found = sqlite3_step(statement) == SQLITE_ROW;
        if (found) id = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        if (!found) {
            ADD_FAILURE() << "no key " << name << " in " << keyPath;
            return -1;
        }
    }
    return id;
}

}  // namespace

void DenyValueChanges(HKEY root, const std::string& keyPath, const std::string& valueName) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    sqlite3* raw = nullptr;
    const int opened = sqlite3_open(registry::RegistryDatabasePath().c_str(), &raw);
    Database database(raw, &sqlite3_close);
    ASSERT_EQ(opened, SQLITE_OK);
    sqlite3_busy_timeout(raw, 10000);
    const std::string id = std::to_string(KeyId(raw, root, keyPath));
    std::string sql;
    for (const char* change : {"INSERT", "UPDATE", "DELETE"}) {
        const std::string row = std::string_view(change) == "INSERT" ? "new" : "old";
        // A value name is ASCII in the tests: folded as the registry folds it.
        const std::string onlyValue =
            valueName.empty() ? "" : " AND " + row + ".name_folded = lower('" + valueName + "')";
        sql += std::string("CREATE TRIGGER deny_") + change + "_" + id + valueName + " BEFORE " + change +
               " ON key_values WHEN " + row + ".key_id = " + id + onlyValue +
               " BEGIN SELECT RAISE(ABORT, 'access denied'); END;";
    }
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
}
