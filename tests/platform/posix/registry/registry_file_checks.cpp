#include "tests/platform/posix/registry/registry_file_checks.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

std::vector<std::string> Writer(const std::string& key, const std::string& tag, int count,
                                const std::string& mode) {
    std::vector<std::string> argv{REGISTRY_WRITER_PATH, key, tag, std::to_string(count)};
    if (!mode.empty()) argv.push_back(mode);
    return argv;
}

std::string QueryText(const char* path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "no key";
    char data[64] = {};
    DWORD size = sizeof data;
    LSTATUS status =
        RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data, size) : "error " + std::to_string(status);
}

DWORD ValueCount(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD count = 0;
    char name[32];
    DWORD size = sizeof name;
    while (RegEnumValueA(key, count, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        ++count;
        size = sizeof name;
    }
    RegCloseKey(key);
    return count;
}

void Execute(const std::filesystem::path& file, const char* sql) {
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(database);
}
