// Where the registry lives on this machine.
#pragma once

#include <filesystem>

namespace registry {

// $ALARMCLOCK_PREFIX when set and non-empty, else ${XDG_CONFIG_HOME:-$HOME/.config}/alarmclock, where an empty
// or relative XDG_CONFIG_HOME counts as unset. Throws RegistryError when none of these can be determined.
std::filesystem::path RegistryPrefix();

// The database file inside RegistryPrefix(); valid on this thread until the next call.
const std::filesystem::path& RegistryDatabasePath();

}  // namespace registry
