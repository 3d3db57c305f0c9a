// The command line of reg: a verb, its operands and its options (/x or -x, any case).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace regtool {

struct CommandLine {
    std::string verb;  // lower case: query, add, delete, export, import
    std::vector<std::string> operands;
    std::optional<std::string> valueName;  // /v NAME, or empty for /ve
    bool allValues = false;                // /va
    bool recurse = false;                  // /s on query
    bool force = false;                    // /f, and /y on export
    std::optional<std::string> type;       // /t
    std::optional<std::string> data;       // /d
    std::optional<std::string> separator;  // /s on add
};

// Throws ToolError("Invalid syntax: ...") for anything the verb does not take.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace regtool
