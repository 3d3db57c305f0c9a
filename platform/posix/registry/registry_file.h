// Creates the registry's directory and database file with owner-only permissions.
#pragma once

#include <filesystem>

namespace registry {

// Creates each missing directory above `file` with mode 0700 and, when `file` does not exist, an empty file
// with mode 0600. Existing directories and files keep their modes. Throws RegistryError on failure.
void PrepareRegistryFile(const std::filesystem::path& file);

}  // namespace registry
