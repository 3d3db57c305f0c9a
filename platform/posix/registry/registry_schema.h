// The registry's tables inside the SQLite file (described for other tools in docs/registry.md).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/posix/registry/sqlite_connection.h"

namespace registry {

inline constexpr std::int64_t kCurrentUserKeyId = 1;
inline constexpr std::int64_t kLocalMachineKeyId = 2;

constexpr bool IsRootKey(std::int64_t key) { return key == kCurrentUserKeyId || key == kLocalMachineKeyId; }

// Checks that the file is sound and holds a registry this program understands (true) or no tables yet
// (false), without changing it. Throws RegistryError naming the file otherwise.
bool CheckRegistrySchema(SqliteConnection& connection);

// CheckRegistrySchema, then makes the file ready for writing: write-ahead logging, and the tables when it
// has none. A file it does not understand is never changed.
void EnsureRegistrySchema(SqliteConnection& connection);

// A registry with nothing but its roots, in memory: what a missing or empty file reads as.
std::unique_ptr<SqliteConnection> EmptyRegistry();

}  // namespace registry
