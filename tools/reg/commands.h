// The operations of reg. Each prints its result on standard output and throws ToolError on failure.
#pragma once

#include "tools/reg/command_line.h"

namespace regtool {

void RunCommand(const CommandLine& command);

}  // namespace regtool
