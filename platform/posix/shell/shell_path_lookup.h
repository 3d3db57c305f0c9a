// Finding what the shell's "Open" runs: a program named by a path, or found on PATH as a shell would.
#pragma once

#include <optional>
#include <string>

namespace posix {

// A regular file that this process may execute.
bool IsExecutableFile(const std::string& path);

// The first executable name in the absolute directories of PATH. Empty and relative entries, which
// stand for the current directory, are skipped: a program is never picked up from wherever we are.
std::optional<std::string> FindOnPath(const std::string& name);

}  // namespace posix
