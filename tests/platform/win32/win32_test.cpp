#include "tests/platform/win32/win32_test.h"

std::string Win32Test::WindowTextA(HWND window) {
    char text[256] = "";
    return std::string(text, static_cast<std::size_t>(GetWindowTextA(window, text, sizeof text)));
}

bool Win32Test::ClickIntoField(TControl& control) {
    HWND field = WindowOf(control);
    desktop_user::Click(desktop_user::CentreOf(field));
    return WaitUntil(
        [field] { return GetFocus() == field && GetForegroundWindow() == GetAncestor(field, GA_ROOT); },
        "the focus in the foreground window's field");
}

void Win32Test::RunLoopUntilEnded(HANDLE process) {
    if (process == nullptr) return;
    WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, "xdotool to end");
    CloseHandle(process);
}

void Win32Test::Type(const std::string& text) { RunLoopUntilEnded(desktop_user::StartTyping(text)); }

void Win32Test::PressKeys(const std::string& keys) { RunLoopUntilEnded(desktop_user::StartKeys(keys)); }

Win32Test::Pixels Win32Test::Tray() { return desktop_user::Screenshot(desktop_user::TrayIconArea()); }

Win32Test::Pixels Win32Test::SettledTray(const std::function<bool(const Pixels&)>& wanted,
                                         const std::string& what) {
    Pixels current = Tray();
    DWORD since = GetTickCount();
    WaitUntil(
        [&] {
            Pixels now = Tray();
            if (now != current) {
                current = std::move(now);
                since = GetTickCount();
            }
            return wanted(current) && GetTickCount() - since >= 300;
        },
        what);
    return current;
}
