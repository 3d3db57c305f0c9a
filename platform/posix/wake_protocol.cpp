#include "platform/posix/wake_protocol.h"

#include <charconv>
#include <stdexcept>

namespace wake_protocol {

std::string MomentLine(std::optional<std::time_t> moment) { return std::to_string(moment.value_or(0)) + "\n"; }

std::optional<std::time_t> ParseMomentLine(std::string_view line) {
    if (line.empty()) return std::nullopt;
    std::time_t moment = 0;
    const char* end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data(), end, moment);
    // from_chars takes a minus sign, which no moment after the epoch has.
    if (error != std::errc{} || stop != end || line.front() == '-') {
        constexpr std::size_t kShown = 40;
        const std::string shown =
            line.size() > kShown ? std::string(line.substr(0, kShown)) + "..." : std::string(line);
        throw std::invalid_argument("not a moment: \"" + shown +
                                    "\" (seconds since the epoch, or 0 or nothing for none)");
    }
    if (moment == 0) return std::nullopt;
    return moment;
}

}  // namespace wake_protocol
