// The base of every Win32 peer: one native window, of a system class or of ours, that shows its framework
// control. The control holds all state; the peer reads it when told which aspect changed. The native
// control reports to its parent window (WM_COMMAND, WM_NOTIFY); the parent's peer hands each report to the
// reporting control's peer, which tells its framework object.
#pragma once

#include <optional>
#include <string>

#include "framework/control.h"
#include "framework/widgetset/screen_peer.h"

namespace win32backend {

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle = 0;
    // The native control's report (a WM_COMMAND's notification code) that is the user's click on the
    // control, where the control takes clicks.
    std::optional<UINT> click = std::nullopt;
    // A top-level window that the system places where it puts a new one.
    bool placedBySystem = false;
};

class ControlPeer : public widgetset::ScreenPeer {
  public:
    ControlPeer(TControl& control, const WindowKind& kind, bool everShown = true);
    ~ControlPeer() override;
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    HWND Handle() override { return window_; }
    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The peer whose window this is, or null.
    static ControlPeer* FromWindow(HWND window);

  protected:
    // A report of the native control to its parent: a WM_COMMAND's notification code, or a WM_NOTIFY's
    // header. Returns the message's result. The base tells the control of the user's click.
    virtual LRESULT Notified(UINT code, const NMHDR* header);
    void ShowBounds() override;
    void ShowVisible() override;
    // Sets the window's text without taking the notifications that follows for the user's.
    void ShowText(const std::string& text);
    bool SettingFromCode() const { return settingFromCode_ > 0; }
    std::string WindowText() const;

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowEnabled() override;
    void ShowHint(const std::string& hint) override;
    void ShowFont() override;

    HWND window_ = nullptr;
    WNDPROC classProc_ = nullptr;
    std::optional<UINT> click_;
    int settingFromCode_ = 0;
};

ControlPeer& PeerOf(TControl& control);
// The window in which the control's own window is created: its parent's, or none for a form.
HWND ParentWindowOf(TControl& control);

// The base of each kind of peer: a control of type ControlKind, held once by ControlPeer and reached here
// with its own type.
template <class ControlKind>
class TypedPeer : public ControlPeer {
  protected:
    TypedPeer(ControlKind& control, const WindowKind& kind) : ControlPeer(control, kind) {}

    ControlKind& Object() const { return static_cast<ControlKind&>(Control()); }
};

}  // namespace win32backend
