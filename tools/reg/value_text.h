// Registry value types and data as reg shows them and as users type them on the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/api.h"

namespace regtool {

std::string TypeName(DWORD type);
// REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY in any case.
std::optional<DWORD> TypeFromName(std::string_view name);

// Strings up to their first NUL, numbers as 0x hex, multi-strings joined by a literal \0, everything else as
// hex bytes.
std::string DisplayData(DWORD type, const std::string& data);

// The bytes for /d TEXT: strings with their terminating NUL, numbers in decimal or 0x hex, binary as hex
// digits, multi-strings split at `separator`. Throws ToolError for text that does not fit the type.
std::string DataFromText(DWORD type, std::string_view text, std::string_view separator);

}  // namespace regtool
