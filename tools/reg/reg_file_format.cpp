#include "tools/reg/reg_file_format.h"

#include <cstdio>

namespace regtool {

std::string HexPrefix(DWORD type) {
    if (type == REG_BINARY) return "hex:";
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    return prefix;
}

}  // namespace regtool
