// The wording of the box the shell shows when it cannot start or open a file, the same on every platform.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace shell_error_text {

// Longer names are shortened in their middle, so the reason after them always shows in the box.
inline constexpr std::size_t kLongestShown = 300;
inline constexpr std::size_t kStartShown = 40;
// The file's own name stays whole up to the longest one that systems allow.
inline constexpr std::size_t kLongestOwnName = 255;

inline bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The start and the end of a long name, each cut between whole UTF-8 characters.
inline std::string ShownName(const std::string& file) {
    if (file.size() <= kLongestShown) return file;
    std::size_t startEnd = kStartShown;
    while (startEnd > 0 && IsContinuationByte(file[startEnd])) --startEnd;
    const std::size_t ownName = file.size() - (file.find_last_of("/\\") + 1);
    std::size_t endStart = file.size() - std::min(ownName, kLongestOwnName);
    while (endStart < file.size() && IsContinuationByte(file[endStart])) ++endStart;
    return file.substr(0, startEnd) + "\u2026" + file.substr(endStart);
}

}  // namespace shell_error_text

inline std::string ShellCannotRunText(const std::string& file, const std::string& reason) {
    return "Cannot run " + shell_error_text::ShownName(file) + ": " + reason;
}

inline std::string ShellCannotOpenText(const std::string& file, const std::string& reason) {
    return "Cannot open " + shell_error_text::ShownName(file) + ": " + reason;
}
