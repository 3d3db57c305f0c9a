#include "tools/reg/reg_file_reader.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "tools/reg/reg_file_format.h"
#include "tools/reg/text_encoding.h"
#include "tools/reg/tool_error.h"

namespace regtool {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// One entry of the file, with continuation lines joined, and the line it started on.
struct LogicalLine {
    std::size_t number;
    std::string text;
};

std::vector<LogicalLine> JoinLines(std::string_view text) {
    std::vector<LogicalLine> lines;
    bool continues = false;
    for (std::size_t number = 1; !text.empty(); ++number) {
        std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (continues) {
            lines.back().text += line;
        } else {
            lines.push_back({number, std::string(line)});
        }
        continues = !lines.back().text.empty() && lines.back().text.back() == '\\';
        if (continues) lines.back().text.pop_back();
    }
    return lines;
}

std::uint32_t ParseHex(std::string_view digits, std::size_t maxDigits, const std::string& what) {
    std::uint32_t number = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (digits.empty() || digits.size() > maxDigits || error != std::errc() ||
        end != digits.data() + digits.size()) {
        throw ToolError("invalid " + what + ": " + std::string(digits));
    }
    return number;
}

std::string HexData(std::string_view list) {
    std::string bytes;
    if (Trim(list).empty()) return bytes;
    for (;;) {
        std::size_t comma = list.find(',');
        bytes.push_back(static_cast<char>(ParseHex(Trim(list.substr(0, comma)), 2, "hex byte")));
        if (comma == std::string_view::npos) return bytes;
        list.remove_prefix(comma + 1);
    }
}

// A "quoted" string with \\ and \" escapes, taken off the front of `rest`.
std::string Quoted(std::string_view& rest) {
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] == '"') {
            rest.remove_prefix(i + 1);
            return text;
        }
        if (rest[i] == '\\') {
            if (++i == rest.size() || (rest[i] != '\\' && rest[i] != '"')) {
                throw ToolError("unknown escape in string (only \\\\ and \\\" are allowed)");
            }
        }
        text.push_back(rest[i]);
    }
    throw ToolError("unterminated string");
}

// What follows '=': a string, dword:, hex: or hex(N):, or '-' to delete.
void ParseData(std::string_view data, bool utf16File, RegFileChange& change) {
    if (data == "-") {
        change.kind = RegFileChange::Kind::DeleteValue;
        return;
    }
    change.kind = RegFileChange::Kind::SetValue;
    if (data.starts_with('"')) {
        change.type = REG_SZ;
        change.data = Quoted(data) + '\0';
        if (!Trim(data).empty()) throw ToolError("unexpected text after string: " + std::string(data));
        return;
    }
    if (data.starts_with(kDwordPrefix)) {
        change.type = REG_DWORD;
        std::uint32_t number = ParseHex(data.substr(kDwordPrefix.size()), 8, "dword");
        for (int i = 0; i < 4; ++i) change.data.push_back(static_cast<char>((number >> (8 * i)) & 0xff));
        return;
    }
    std::size_t colon = data.find(':');
    std::string_view prefix = data.substr(0, colon);
    if (colon == std::string_view::npos || !prefix.starts_with("hex")) {
        throw ToolError("unrecognised value data: " + std::string(data));
    }
    change.type = REG_BINARY;
    if (prefix != "hex") {
        if (!prefix.starts_with("hex(") || !prefix.ends_with(")")) {
            throw ToolError("unrecognised value type: " + std::string(prefix));
        }
        change.type = ParseHex(prefix.substr(4, prefix.size() - 5), 8, "value type");
    }
    change.data = HexData(data.substr(colon + 1));
    // String types hold text in the file's encoding; ours is UTF-8 inside the registry.
    bool textType = change.type == REG_SZ || change.type == REG_EXPAND_SZ || change.type == REG_MULTI_SZ;
    if (utf16File && textType) change.data = Utf16LeToUtf8(change.data);
}

// The registry's names are C strings: a NUL would silently cut one short.
std::string_view WithoutNul(std::string_view name, const char* what) {
    if (name.find('\0') != std::string_view::npos)
        throw ToolError(std::string(what) + " holds a NUL character");
    return name;
}

RegFileChange ParseSection(std::string_view line) {
    if (!line.ends_with(']')) throw ToolError("missing ] at the end of the key");
    line = line.substr(1, line.size() - 2);
    RegFileChange change;
    if (line.starts_with('-')) {
        change.kind = RegFileChange::Kind::DeleteKey;
        line.remove_prefix(1);
    }
    change.key = ParseKeyPath(WithoutNul(line, "the key name"));
    if (change.kind == RegFileChange::Kind::DeleteKey && change.key.subkey.empty()) {
        throw ToolError("a root key cannot be deleted");
    }
    return change;
}

RegFileChange ParseValue(std::string_view line, const RegFileChange& section, bool utf16File) {
    RegFileChange change;
    change.key = section.key;
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else {
        change.name = Quoted(line);
        WithoutNul(change.name, "the value name");
    }
    line = Trim(line);
    if (!line.starts_with('=')) throw ToolError("expected = after the value name");
    ParseData(Trim(line.substr(1)), utf16File, change);
    return change;
}

}  // namespace

std::vector<RegFileChange> ParseRegFile(std::string_view bytes) {
    DecodedText decoded = DecodeRegFileText(bytes);
    std::vector<LogicalLine> lines = JoinLines(decoded.utf8);
    std::size_t first = 0;
    while (first < lines.size() && lines[first].text.empty()) ++first;
    if (first == lines.size() || lines[first].text != kRegFileHeader) {
        throw ToolError("not a registry file: the first line must be \"" + std::string(kRegFileHeader) + "\"");
    }
    std::vector<RegFileChange> changes;
    std::optional<RegFileChange> section;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::string& text = lines[i].text;
        if (text.empty() || text.starts_with(';')) continue;
        try {
            if (text.starts_with('[')) {
                section = ParseSection(text);
                changes.push_back(*section);
            } else if (!section || section->kind == RegFileChange::Kind::DeleteKey) {
                throw ToolError("a value must follow a [key] line");
            } else {
                changes.push_back(ParseValue(text, *section, decoded.wasUtf16));
            }
            changes.back().line = lines[i].number;
        } catch (const ToolError& error) {
            throw ToolError("line " + std::to_string(lines[i].number) + ": " + error.what());
        }
    }
    return changes;
}

}  // namespace regtool
