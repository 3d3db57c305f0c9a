// The wording of the box the shell shows when it cannot start or open a file, the same on every platform.
#pragma once

#include <string>

inline std::string ShellCannotRunText(const std::string& file, const std::string& reason) {
    return "Cannot run " + file + ": " + reason;
}

inline std::string ShellCannotOpenText(const std::string& file, const std::string& reason) {
    return "Cannot open " + file + ": " + reason;
}
