#include "tests/platform/win32/desktop_user.h"

#include <gtest/gtest.h>

#include <vector>

namespace desktop_user {

void Run(const std::string& command) {
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "Cannot start " << command << " (error " << GetLastError() << ")";
        return;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void Xdotool(const std::string& arguments) { Run("/usr/bin/xdotool " + arguments); }

POINT CentreOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

void Click(POINT at, int button) {
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click " +
            std::to_string(button));
}

// Wine splits the command line as Windows does: double quotes group, a backslash stays as it is.
void Type(const std::string& text) { Xdotool("type --delay 20 \"" + text + "\""); }

void Key(const std::string& keys) { Xdotool("key " + keys); }

}  // namespace desktop_user
