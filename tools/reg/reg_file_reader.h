// Reads the .reg text format into the changes it asks for, without touching the registry, so that a file with
// a mistake anywhere changes nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/api.h"
#include "tools/reg/key_path.h"

namespace regtool {

struct RegFileChange {
    enum class Kind { CreateKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::CreateKey;
    KeyPath key;
    std::string name;  // the value; empty for the default value
    DWORD type = REG_NONE;
    std::string data;
    std::size_t line = 0;  // where the file asks for it
};

// Throws ToolError naming the line for anything it does not understand.
std::vector<RegFileChange> ParseRegFile(std::string_view bytes);

}  // namespace regtool
