// The wording of the box the shell shows when it cannot start or open a file, the same on every platform.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "framework/rules/marked_cut.h"

namespace shell_error_text {

// Longer names are shortened in their middle, so the reason after them always shows in the box.
inline constexpr std::size_t kLongestShown = 300;
inline constexpr std::size_t kStartShown = 40;
// The file's own name stays whole up to the longest one that systems allow.
inline constexpr std::size_t kLongestOwnName = 255;

// The start and the end of a long name: the file's own name kept whole.
inline std::string ShownName(const std::string& file) {
    if (file.size() <= kLongestShown) return file;
    const std::size_t ownName = file.size() - (file.find_last_of("/\\") + 1);
    return MarkedCut(file, kStartShown, std::min(ownName, kLongestOwnName));
}

}  // namespace shell_error_text

inline std::string ShellCannotRunText(const std::string& file, const std::string& reason) {
    return "Cannot run " + shell_error_text::ShownName(file) + ": " + reason;
}

inline std::string ShellCannotOpenText(const std::string& file, const std::string& reason) {
    return "Cannot open " + shell_error_text::ShownName(file) + ": " + reason;
}
