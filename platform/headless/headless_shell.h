// The shell of a headless desktop: it records every notification-area call with a copy of its record,
// every "Open", the foreground window, and gives the cursor position a test sets.
#pragma once

#include <string>
#include <vector>

#include "platform/api.h"

namespace headless {

struct NotifyIconCall {
    DWORD message;
    NOTIFYICONDATAA data;
};

struct ShellExecuteCall {
    HWND owner;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    bool directoryIsNull;
    int showCommand;
};

struct HeadlessShell {
    std::vector<NotifyIconCall> notifyIconCalls;
    std::vector<ShellExecuteCall> executed;
    std::vector<HWND> foregroundWindows;
    POINT cursor{0, 0};
};

}  // namespace headless
