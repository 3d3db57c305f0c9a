// Who keeps an SQLite file locked, for the message of a write that waited too long.
#pragma once

#include <filesystem>
#include <string>

namespace registry {

// "(held by process 1234, sqlite3)" for the process holding the write lock of `database`, in write-ahead
// or rollback journal mode; "(held by another process)" when it cannot be told, or was let go meanwhile.
std::string DescribeLockHolder(const std::filesystem::path& database);

}  // namespace registry
