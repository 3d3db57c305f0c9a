#include "tests/support/registry_write_lock.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

RegistryWriteLock::RegistryWriteLock(const std::filesystem::path& file) {
    EXPECT_EQ(sqlite3_open(file.c_str(), &holder_), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(holder_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
}

RegistryWriteLock::~RegistryWriteLock() { sqlite3_close(holder_); }
