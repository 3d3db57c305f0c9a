#include "tools/reg/reg_file_writer.h"

#include <cstdint>
#include <cstdio>

#include "tools/reg/key_walk.h"
#include "tools/reg/reg_file_format.h"
#include "tools/reg/registry_key.h"

namespace regtool {

namespace {

// Where the Windows tool wraps hex lists, so files look alike.
constexpr std::size_t kHexLineWidth = 77;

// The registry refuses such names now; one stored before must not end its line and have the rest read as
// keys and values of their own. The message names the key it is in, since the name itself would break the
// message's line too.
const std::string& WithoutLineBreak(const std::string& name, const KeyPath& where) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        throw ToolError("Cannot export " + where.Full() + ": a name in it holds a line break.");
    }
    return name;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted.push_back('\\');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

// Text plus exactly one terminating NUL, and nothing that would break the line, can be written as a string;
// anything else goes out as hex so the exact bytes come back.
bool IsPlainString(const std::string& data) {
    return !data.empty() && data.back() == '\0' &&
           data.find_first_of(std::string("\0\r\n", 3)) == data.size() - 1;
}

std::string HexList(std::string line, const std::string& data) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<std::uint8_t>(data[i]));
        std::string piece = byte + std::string(i + 1 < data.size() ? "," : "");
        if (line.size() + piece.size() > kHexLineWidth) {
            text += line + "\\\n";
            line = "  ";
        }
        line += piece;
    }
    return text + line;
}

std::string ValueLine(const RegistryValue& value, const KeyPath& where) {
    std::string line =
        (value.name.empty() ? std::string("@") : Quoted(WithoutLineBreak(value.name, where))) + "=";
    if (value.type == REG_SZ && IsPlainString(value.data)) {
        return line + Quoted(value.data.substr(0, value.data.size() - 1));
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        std::uint32_t dword = 0;
        for (int i = 3; i >= 0; --i) dword = (dword << 8) | static_cast<std::uint8_t>(value.data[i]);
        std::snprintf(number, sizeof number, "%08x", dword);
        return line + std::string(kDwordPrefix) + number;
    }
    return HexList(line + HexPrefix(value.type), value.data);
}

}  // namespace

std::string ExportRegFile(const KeyPath& path) {
    std::string out = std::string(kRegFileHeader) + "\n";
    WalkKeys(path, [&](const KeyPath& each, const RegistryKey& key, const std::vector<std::string>& subkeys) {
        for (const std::string& name : subkeys) WithoutLineBreak(name, each);
        out += "\n[" + each.Full() + "]\n";
        for (const RegistryValue& value : key.Values()) out += ValueLine(value, each) + "\n";
    });
    return out;
}

}  // namespace regtool
