#include "platform/win32/application_window.h"

#include "framework/application.h"
#include "platform/win32/dialog_end.h"
#include "platform/win32/dialogs.h"

namespace win32backend {

namespace {

// Posted to the window when a box disables it, before the box exists; it arrives in the box's own loop.
constexpr UINT kBoxOpened = WM_APP;

struct BoxSearch {
    HWND owner;
    void (*found)(HWND box);
};

BOOL CALLBACK VisitOwnedBox(HWND window, LPARAM search) {
    const auto& [owner, found] = *reinterpret_cast<const BoxSearch*>(search);
    if (GetWindow(window, GW_OWNER) == owner && IsSystemDialog(window)) found(window);
    return TRUE;
}

void TakeOpenedBoxes(HWND owner) {
    BoxSearch search{owner, ApplicationEnding() ? &EndAtApplicationEnd : &MakeHardToMiss};
    EnumThreadWindows(GetCurrentThreadId(), &VisitOwnedBox, reinterpret_cast<LPARAM>(&search));
}

}  // namespace

ApplicationWindow::ApplicationWindow()
    : window_([this](UINT message, WPARAM wParam, LPARAM lParam) { return Receive(message, wParam, lParam); },
              "AlarmClock", false) {}

std::optional<LRESULT> ApplicationWindow::Receive(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_ENABLE:
            if (wParam != FALSE) {
                boxScope_.reset();
            } else if (!boxScope_) {
                boxScope_.emplace();
                PostMessageA(Handle(), kBoxOpened, 0, 0);
            }
            return 0;
        case kBoxOpened:
            TakeOpenedBoxes(Handle());
            return 0;
        default:
            return std::nullopt;
    }
}

void MakeHardToMiss(HWND box) {
    const LONG_PTR style = GetWindowLongPtrA(box, GWL_EXSTYLE);
    if ((style & WS_EX_APPWINDOW) != 0) return;
    // The taskbar decides on a window's button when the window is shown: hidden, restyled, shown again.
    ShowWindow(box, SW_HIDE);
    SetWindowLongPtrA(box, GWL_EXSTYLE, style | WS_EX_APPWINDOW);
    SendMessageA(box, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(GetModuleHandleA(nullptr), "MAINICON")));
    // A box that opened as the user opened the tray's menu waits behind it: taking the foreground would
    // close the menu under the user's pointer.
    const bool inMenu = PopupMenuOpen();
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (inMenu ? SWP_NOACTIVATE : 0));
    if (!inMenu) SetForegroundWindow(box);
}

}  // namespace win32backend
