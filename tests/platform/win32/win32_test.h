// The fixture of the Win32 back-end tests: the desktop tests' fixture that sees the controls' windows, and
// the user's typing, keys and view of the notification area.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/control_peer.h"
#include "tests/platform/win32/desktop_user.h"
#include "tests/support/desktop_test.h"

class Win32Test : public DesktopTest {
  protected:
    Win32Test() : DesktopTest("Win32 test") {}

    static HWND WindowOf(TControl& control) { return win32backend::PeerOf(control).Handle(); }
    // The window's text, through the system's ANSI calls.
    static std::string WindowTextA(HWND window);
    // The user clicks into the field; true once keys typed next reach it: it has the focus and its window is
    // the foreground one (a window in the background keeps its focus but gets no keys).
    static bool ClickIntoField(TControl& field);
    // The user types the text, or presses the keys, while the loop runs.
    static void Type(const std::string& text);
    static void PressKeys(const std::string& keys);
    static void RunLoopUntilEnded(HANDLE process);

    using Pixels = desktop_user::Pixels;
    // The notification area's picture.
    static Pixels Tray();
    // The tray's picture once it is wanted and stayed the same for a moment: Wine's explorer clears an
    // icon's window before it draws a new image, and trayer moves an icon that it has just embedded, so a
    // click before that may miss the icon.
    static Pixels SettledTray(const std::function<bool(const Pixels&)>& wanted, const std::string& what);

  private:
    // Shown in the foreground, where the keyboard reaches it.
    void Present(TTestForm& shown) override {
        shown.Show();
        shown.BringToFront();
    }
    bool IsOnScreen(TControl& control) const override { return IsWindowVisible(WindowOf(control)) != FALSE; }
};
