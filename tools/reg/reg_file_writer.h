// Writes keys to the .reg text format, in UTF-8.
#pragma once

#include <string>

#include "tools/reg/key_path.h"

namespace regtool {

// The file text for `path` and everything below it. Throws ToolError when the key is missing or a name cannot
// be written (a line break in a name would end the line).
std::string ExportRegFile(const KeyPath& path);

}  // namespace regtool
