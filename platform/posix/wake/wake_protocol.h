// What the program and its wake-up helper (tools/wake) say to each other: the helper's standard input
// carries one line per change, the moment to wake at in seconds since the epoch, or 0 to hold none.
#pragma once

#include <ctime>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace wake_protocol {

inline constexpr std::string_view kHelperName = "alarmclock-wake";

// The latest moment a timer of the system can hold (its nanoseconds since the epoch in 64 bits): 2262-04-11
// 23:47:16 UTC.
inline constexpr std::time_t kLatestMoment = 9'223'372'036;

// More than any line of the protocol needs; the rest of a longer line is read and dropped.
inline constexpr std::size_t kLongestLine = 64;

// The line for a moment, or for none; ended by its line feed.
std::string MomentLine(std::optional<std::time_t> moment);

// The next line of in without its line feed, at most kLongestLine bytes of it (more make it no moment); false
// at the end of the input.
bool ReadMomentLine(std::istream& in, std::string& line);

// The moment of a line without its line feed; none for "0" or an empty line. Throws std::invalid_argument,
// saying why, for anything else than a number of seconds since the epoch up to kLatestMoment; the line is
// quoted with any control character in it written visibly, as \r or \x1B.
std::optional<std::time_t> ParseMomentLine(std::string_view line);

}  // namespace wake_protocol
