// The parameters of a program the shell's "Open" starts, split into arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace posix {

// Splits by the shell's word rules (quotes and backslashes), with no expansion, substitution or operator:
// "; rm x" is one argument when quoted, three words otherwise. Nothing for text the rules cannot split,
// such as an unclosed quote; no argument for null or blank text.
std::optional<std::vector<std::string>> SplitParameters(const char* parameters);

}  // namespace posix
