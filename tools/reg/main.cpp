// alarmclock-reg: reads and changes the alarm clock's registry from a terminal, with reg's command syntax.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tools/reg/commands.h"
#include "tools/reg/tool_error.h"

int main(int argc, char** argv) {
    try {
        regtool::RunCommand(regtool::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc)));
        return 0;
    } catch (const regtool::ToolError& error) {
        std::cerr << "ERROR: " << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "ERROR: Out of memory.\n";
    }
    return 1;
}
