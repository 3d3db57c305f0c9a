// Whether the registry is this user's alone. Settings that other users can change are not the user's: the
// login helper would run the commands they planted, so such a registry is read but never written or obeyed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace registry {

// Nothing when the directory of `file`, `file` and its journal files (those that exist) belong to this user
// (or to root) and others cannot write them; otherwise the first problem and the command that mends it.
std::optional<std::string> OthersCanWrite(const std::filesystem::path& file);

// Throws RegistryError (ERROR_ACCESS_DENIED) with OthersCanWrite's text.
void RefuseIfOthersCanWrite(const std::filesystem::path& file);

// OthersCanWrite for the registry of this process's location; nothing when there is no location, which the
// registry functions report themselves.
std::optional<std::string> RegistryWritableByOthers();

}  // namespace registry
