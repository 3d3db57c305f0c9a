#include "platform/posix/wake/wake_protocol.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "framework/rules/marked_cut.h"

namespace wake_protocol {

namespace {

// The start of a line as a message quotes it: control characters, invisible or moving the cursor, escaped.
std::string Shown(std::string_view line) {
    constexpr std::size_t kShown = 40;
    std::string shown;
    for (const char c : MarkedCut(line, kShown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

std::string MomentLine(std::optional<std::time_t> moment) { return std::to_string(moment.value_or(0)) + "\n"; }

bool ReadMomentLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf& source = *in.rdbuf();
    bool any = false;
    for (int c = source.sbumpc(); c != std::char_traits<char>::eof(); c = source.sbumpc()) {
        any = true;
        if (c == '\n') return true;
        if (line.size() <= kLongestLine) line += static_cast<char>(c);
    }
    return any;
}

std::optional<std::time_t> ParseMomentLine(std::string_view line) {
    if (line.empty()) return std::nullopt;
    std::time_t moment = 0;
    const char* end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data(), end, moment);
    // from_chars takes a minus sign, which no moment after the epoch has.
    if (error != std::errc{} || stop != end || line.front() == '-' || line.size() > kLongestLine)
        throw std::invalid_argument("not a moment: \"" + Shown(line) +
                                    "\" (seconds since the epoch, or 0 or nothing for none)");
    if (moment > kLatestMoment)
        throw std::invalid_argument("the moment " + std::string(line) +
                                    " is past the latest a timer can hold, " + std::to_string(kLatestMoment) +
                                    " (2262-04-11 23:47:16 UTC)");
    if (moment == 0) return std::nullopt;
    return moment;
}

}  // namespace wake_protocol
