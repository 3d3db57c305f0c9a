#include "tools/reg/key_path.h"

#include <strings.h>

#include "tools/reg/tool_error.h"

namespace regtool {

namespace {

struct Root {
    const char* longName;
    const char* shortName;
    HKEY handle;
};

bool SameText(std::string_view a, const char* b) {
    return a.size() == std::string_view(b).size() && strncasecmp(a.data(), b, a.size()) == 0;
}

}  // namespace

KeyPath ParseKeyPath(std::string_view text) {
    const Root roots[] = {{"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
                          {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE}};
    std::size_t separator = text.find('\\');
    std::string_view rootText = text.substr(0, separator);
    std::string_view subkey =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (!subkey.empty() && subkey.back() == '\\') subkey.remove_suffix(1);
    bool wellFormed =
        subkey.find("\\\\") == std::string_view::npos && (subkey.empty() || subkey.front() != '\\');
    for (const Root& root : roots) {
        if (wellFormed && (SameText(rootText, root.longName) || SameText(rootText, root.shortName))) {
            return {root.handle, root.longName, std::string(subkey)};
        }
    }
    throw ToolError("Invalid key name: " + std::string(text));
}

}  // namespace regtool
