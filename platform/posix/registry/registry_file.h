// Creates the registry's directory and database file with owner-only permissions.
#pragma once

#include <filesystem>

namespace registry {

// Creates each missing directory of `directory` with mode 0700, whatever the umask. Existing directories keep
// their modes. Throws RegistryError (ERROR_CANTOPEN) naming the path when one cannot be made or is not a
// directory.
void CreatePrivateDirectories(const std::filesystem::path& directory);

// The directories above `file` as CreatePrivateDirectories makes them and, when `file` does not exist, an
// empty file with mode 0600. Existing files keep their modes. Throws RegistryError on failure.
void PrepareRegistryFile(const std::filesystem::path& file);

}  // namespace registry
