// The registry's tables inside the SQLite file (described for other tools in docs/registry.md).
#pragma once

#include <cstdint>

#include "platform/posix/registry/sqlite_connection.h"

namespace registry {

inline constexpr std::int64_t kCurrentUserKeyId = 1;
inline constexpr std::int64_t kLocalMachineKeyId = 2;

constexpr bool IsRootKey(std::int64_t key) { return key == kCurrentUserKeyId || key == kLocalMachineKeyId; }

// Checks that the file is sound and holds a registry this program understands, creating the tables when the
// file is empty. Throws RegistryError naming the file otherwise; a file it does not understand is never
// changed.
void EnsureRegistrySchema(SqliteConnection& connection);

}  // namespace registry
