// Registry key paths as the user writes them: a root (long or short name) and a backslash-separated subkey.
#pragma once

#include <string>
#include <string_view>

#include "platform/api.h"

namespace regtool {

struct KeyPath {
    HKEY root = nullptr;
    std::string rootName;  // always the long name, as printed
    std::string subkey;    // empty for the root itself

    std::string Full() const { return subkey.empty() ? rootName : rootName + "\\" + subkey; }
    KeyPath Child(const std::string& name) const {
        return {root, rootName, subkey.empty() ? name : subkey + "\\" + name};
    }
};

// Accepts HKEY_CURRENT_USER/HKCU and HKEY_LOCAL_MACHINE/HKLM in any case. Throws ToolError otherwise.
KeyPath ParseKeyPath(std::string_view text);

}  // namespace regtool
