#include "tools/reg/text_encoding.h"

#include <cstdint>

#include "tools/reg/tool_error.h"

namespace regtool {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) throw ToolError("UTF-16 text with an odd number of bytes");
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i])) |
               static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + 1])) << 8;
    };
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            throw ToolError("UTF-16 text with an unpaired surrogate");
        }
        AppendUtf8(out, code);
    }
    return out;
}

DecodedText DecodeRegFileText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) return {Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size())), true};
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    return {std::string(bytes), false};
}

}  // namespace regtool
