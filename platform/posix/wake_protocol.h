// What the program and its wake-up helper (tools/wake) say to each other: the helper's standard input
// carries one line per change, the moment to wake at in seconds since the epoch, or 0 to hold none.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace wake_protocol {

inline constexpr std::string_view kHelperName = "alarmclock-wake";

// The line for a moment, or for none; ended by its line feed.
std::string MomentLine(std::optional<std::time_t> moment);

// The moment of a line without its line feed; none for "0" or an empty line. Throws std::invalid_argument,
// saying why, for anything else than a number of seconds since the epoch.
std::optional<std::time_t> ParseMomentLine(std::string_view line);

}  // namespace wake_protocol
