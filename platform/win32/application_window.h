// The application's window: hidden and top-level, the owner of the program's message boxes (MessageBoxA).
// A box disables it while open (WM_ENABLE tells), and every other window of the program with it, as if
// each of them owned the box: no click or key reaches them, while the tray, the timers and media
// notifications go on. Once the box is there, it is made hard to miss, or, when the application is ending,
// closed at once. It is made at its first use (see Win32Widgetset::HearBroadcast).
#pragma once

#include <optional>

#include "platform/win32/event_loop.h"
#include "platform/win32/hidden_window.h"

namespace win32backend {

class ApplicationWindow {
  public:
    ApplicationWindow();

    HWND Handle() const { return window_.Handle(); }

  private:
    std::optional<LRESULT> Receive(UINT message, WPARAM wParam, LPARAM lParam);

    // Open while a box has the window disabled.
    std::optional<ModalScope> boxScope_;
    HiddenWindow window_;
};

// A box of the program: a button of its own on the taskbar (its owner, never shown, has none), above the
// other programs' windows until it is answered, and in the foreground where the system lets a program take
// it (elsewhere its taskbar button flashes). Once for each box.
void MakeHardToMiss(HWND box);

}  // namespace win32backend
