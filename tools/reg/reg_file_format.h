// Spellings shared by the .reg reader and writer.
#pragma once

#include <string>
#include <string_view>

#include "platform/api.h"

namespace regtool {

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kDwordPrefix = "dword:";

// "hex:" for REG_BINARY, "hex(N):" with N in lower-case hex for every other type.
std::string HexPrefix(DWORD type);

}  // namespace regtool
