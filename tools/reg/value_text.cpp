#include "tools/reg/value_text.h"

#include <strings.h>

#include <charconv>
#include <cstdint>
#include <cstring>

#include "tools/reg/tool_error.h"

namespace regtool {

namespace {

struct TypeEntry {
    DWORD type;
    const char* name;
};

constexpr TypeEntry kTypes[] = {{REG_NONE, "REG_NONE"},           {REG_SZ, "REG_SZ"},
                                {REG_EXPAND_SZ, "REG_EXPAND_SZ"}, {REG_BINARY, "REG_BINARY"},
                                {REG_DWORD, "REG_DWORD"},         {REG_MULTI_SZ, "REG_MULTI_SZ"},
                                {REG_QWORD, "REG_QWORD"}};

std::uint64_t ParseNumber(std::string_view text, std::uint64_t limit) {
    if (text.empty()) return 0;
    const std::string original(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (error != std::errc() || end != text.data() + text.size() || number > limit) {
        throw ToolError("Invalid number: " + original);
    }
    return number;
}

template <typename Number>
std::string LittleEndian(Number number) {
    std::string bytes(sizeof number, '\0');
    for (std::size_t i = 0; i < sizeof number; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xff);
    return bytes;
}

template <typename Number>
Number FromLittleEndian(const std::string& data) {
    Number number = 0;
    for (std::size_t i = 0; i < sizeof number; ++i)
        number |= Number{static_cast<std::uint8_t>(data[i])} << (8 * i);
    return number;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string BytesFromHex(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        int high = HexDigit(text[i]);
        int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) throw ToolError("Invalid binary data: " + std::string(text));
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

std::string MultiString(std::string_view text, std::string_view separator) {
    std::string data;
    while (!text.empty()) {
        std::size_t end = text.find(separator);
        data.append(text.substr(0, end));
        data.push_back('\0');
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + separator.size());
    }
    data.push_back('\0');
    return data;
}

// Each byte as two upper-case hex digits.
std::string HexBytes(std::string_view data) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (char c : data) {
        auto byte = static_cast<std::uint8_t>(c);
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xf]);
    }
    return text;
}

}  // namespace

std::string TypeName(DWORD type) {
    for (const TypeEntry& entry : kTypes) {
        if (entry.type == type) return entry.name;
    }
    return "REG_UNKNOWN(" + std::to_string(type) + ")";
}

std::optional<DWORD> TypeFromName(std::string_view name) {
    for (const TypeEntry& entry : kTypes) {
        if (entry.type != REG_NONE && name.size() == std::strlen(entry.name) &&
            strncasecmp(name.data(), entry.name, name.size()) == 0) {
            return entry.type;
        }
    }
    return std::nullopt;
}

std::string DisplayData(DWORD type, const std::string& data) {
    char number[24];
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return data.substr(0, data.find('\0'));
        case REG_MULTI_SZ: {
            std::string shown = data;
            while (!shown.empty() && shown.back() == '\0') shown.pop_back();
            std::string joined;
            for (char c : shown) joined += c == '\0' ? std::string("\\0") : std::string(1, c);
            return joined;
        }
        case REG_DWORD:
            if (data.size() != sizeof(std::uint32_t)) break;
            std::snprintf(number, sizeof number, "0x%x", FromLittleEndian<std::uint32_t>(data));
            return number;
        case REG_QWORD:
            if (data.size() != sizeof(std::uint64_t)) break;
            std::snprintf(number, sizeof number, "0x%llx",
                          static_cast<unsigned long long>(FromLittleEndian<std::uint64_t>(data)));
            return number;
        default:
            break;
    }
    return HexBytes(data);
}

std::string DataFromText(DWORD type, std::string_view text, std::string_view separator) {
    switch (type) {
        case REG_DWORD:
            return LittleEndian(static_cast<std::uint32_t>(ParseNumber(text, UINT32_MAX)));
        case REG_QWORD:
            return LittleEndian(ParseNumber(text, UINT64_MAX));
        case REG_BINARY:
            return BytesFromHex(text);
        case REG_MULTI_SZ:
            return MultiString(text, separator);
        default:
            return std::string(text) + '\0';
    }
}

}  // namespace regtool
