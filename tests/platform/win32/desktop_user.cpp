#include "tests/platform/win32/desktop_user.h"

#include <gtest/gtest.h>

#include <vector>

namespace desktop_user {

namespace {

// The started program, or null when it could not start (the test has failed then).
HANDLE Start(const std::string& command) {
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
std::string TypeCommand(const std::string& text) { return "/usr/bin/xdotool type --delay 20 \"" + text + "\""; }

}  // namespace

void Run(const std::string& command) {
    HANDLE process = Start(command);
    if (process == nullptr) return;
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
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

void DoubleClick(POINT at) {
    Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) +
            " click --repeat 2 --delay 80 1");
}

HANDLE StartTyping(const std::string& text) { return Start(TypeCommand(text)); }

HANDLE StartKeys(const std::string& keys) { return Start("/usr/bin/xdotool key " + keys); }

Pixels Screenshot(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * height);
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// trayer's panel is 32 pixels square, at the top right, its icon in its right part.
RECT TrayIconArea() {
    const int right = GetSystemMetrics(SM_CXSCREEN);
    return {right - 32, 0, right, 32};
}

POINT TrayIconCentre() { return {GetSystemMetrics(SM_CXSCREEN) - 11, 16}; }

void ClickNotificationArea() { Click(TrayIconCentre()); }

}  // namespace desktop_user
