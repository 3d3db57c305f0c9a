// The fixture of the tests of the Win32 registry functions: a registry of its own, and the calls the tests
// make most, each in one line.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/api.h"
#include "tests/support/temporary_prefix.h"

class RegistryApi : public ::testing::Test {
  protected:
    using Names = std::vector<std::string>;

    HKEY Create(HKEY parent, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                  &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

    LSTATUS Open(HKEY parent, const char* path, HKEY* key) {
        return RegOpenKeyExA(parent, path, 0, KEY_READ, key);
    }

    LSTATUS SetText(HKEY key, const char* name, const std::string& text) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

    // The raw bytes of a value, or the failing code as text.
    std::string Read(HKEY key, const char* name, DWORD* type = nullptr) {
        DWORD size = 0;
        if (LSTATUS status = RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
            status != ERROR_SUCCESS) {
            return "error " + std::to_string(status);
        }
        std::string data(size, '?');
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size),
                  ERROR_SUCCESS);
        return data;
    }

    std::string ValueNameAt(HKEY key, DWORD index) {
        char name[64];
        DWORD size = sizeof name;
        LSTATUS status = RegEnumValueA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        return status == ERROR_SUCCESS ? std::string(name, size) : "error " + std::to_string(status);
    }

    std::string SubkeyAt(HKEY key, DWORD index) {
        char name[64];
        DWORD size = sizeof name;
        LSTATUS status = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
        return status == ERROR_SUCCESS ? std::string(name, size) : "error " + std::to_string(status);
    }

    // What another process sees of a key's values: a connection of its own, which waits for no lock.
    std::vector<std::string> ValuesSeenByAnother(const char* keyName) {
        std::vector<std::string> names;
        sqlite3* database = nullptr;
        EXPECT_EQ(sqlite3_open_v2(prefix_.database().c_str(), &database, SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(database,
                           "SELECT v.name FROM key_values v JOIN keys k ON v.key_id = k.id WHERE k.name = ? "
                           "ORDER BY v.rowid",
                           -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, keyName, -1, SQLITE_STATIC);
        while (sqlite3_step(statement) == SQLITE_ROW)
            names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        sqlite3_close(database);
        return names;
    }

    TemporaryPrefix prefix_;
};
