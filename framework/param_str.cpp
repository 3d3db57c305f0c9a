#include "framework/param_str.h"

#include <vector>

#include "platform/api.h"

// The program reads no parameters, so only its own path is ever asked for.
std::string ParamStr(int index) {
    if (index != 0) return "";
    std::vector<char> buffer(260);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // cut short: try again with room for a longer path
    }
}
