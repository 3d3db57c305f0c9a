#include "tests/platform/win32/desktop_user.h"

#include <gtest/gtest.h>

#include <vector>

namespace desktop_user {

namespace {

// The running xdotool, or null when it could not start (the test has failed then).
HANDLE StartXdotool(const std::string& arguments) {
    std::string command = "/usr/bin/xdotool " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "Cannot start " << command << " (error " << GetLastError() << ")";
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Wine splits the command line as Windows does: double quotes group, a backslash stays as it is.
std::string TypeArguments(const std::string& text) { return "type --delay 20 \"" + text + "\""; }

}  // namespace

void Xdotool(const std::string& arguments) {
    HANDLE process = StartXdotool(arguments);
    if (process == nullptr) return;
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
}

POINT CentreOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

void Click(POINT at, int button) {
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click " +
            std::to_string(button));
}

void Type(const std::string& text) { Xdotool(TypeArguments(text)); }

void Key(const std::string& keys) { Xdotool("key " + keys); }

// The panel's first icon is at its left end, as high as the panel.
void ClickNotificationArea() { Xdotool("search --limit 1 --name ^panel$ mousemove --window %1 11 16 click 1"); }

void TypeWhileLoopRuns(const std::string& text) {
    if (HANDLE process = StartXdotool(TypeArguments(text))) CloseHandle(process);
}

}  // namespace desktop_user
