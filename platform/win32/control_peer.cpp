#include "platform/win32/control_peer.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/win_control.h"
#include "platform/win32/field_name.h"
#include "platform/win32/fonts.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/tooltips.h"

namespace win32backend {

namespace {

constexpr const char* kPeerProperty = "alarmclock.peer";

// Child windows need an identifier; notifications are routed by window, so any distinct one does.
HMENU NextChildId() {
    static UINT_PTR next = 100;
    return reinterpret_cast<HMENU>(next++);
}

}  // namespace

ControlPeer::ControlPeer(TControl& control, const WindowKind& kind, bool everShown)
    : ScreenPeer(control, everShown), click_(kind.click) {
    HWND parent = ParentWindowOf(control);
    const DWORD style = kind.style | (parent != nullptr ? WS_CHILD | WS_CLIPSIBLINGS : 0);
    const int left = kind.placedBySystem ? CW_USEDEFAULT : 0;
    window_ = CreateWindowExA(kind.exStyle, kind.className, "", style, left, 0, 0, 0, parent,
                              parent != nullptr ? NextChildId() : nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
        throw std::runtime_error("Cannot create a window of class " + std::string(kind.className) + " for " +
                                 control.Name() + " (error " + std::to_string(GetLastError()) + ")");
    }
    SetPropA(window_, kPeerProperty, this);
    classProc_ = ReplaceWindowProc(window_, &SubclassProc);
}

ControlPeer::~ControlPeer() {
    // A parent's window destroyed first took this one with it.
    if (!IsWindow(window_) || GetPropA(window_, kPeerProperty) != this) return;
    RemovePropA(window_, kPeerProperty);
    ReplaceWindowProc(window_, classProc_);
    DestroyWindow(window_);
}

ControlPeer* ControlPeer::FromWindow(HWND window) {
    return window != nullptr ? static_cast<ControlPeer*>(GetPropA(window, kPeerProperty)) : nullptr;
}

// Once the framework knows the window (TWinControl::Handle), every message goes through its window
// procedure, whose default handling comes back to DefaultHandling; before that, and for controls without
// a window of their own in the framework (labels, images), straight to DefaultHandling.
LRESULT CALLBACK ControlPeer::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlPeer* peer = FromWindow(window);
    if (peer == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (TWinControl::FindControl(window) != nullptr) return ControlWindowProc(window, message, wParam, lParam);
    return peer->DefaultHandling(window, message, wParam, lParam);
}

LRESULT ControlPeer::DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        ControlPeer* child = FromWindow(reinterpret_cast<HWND>(lParam));
        if (child != nullptr && child != this) return child->Notified(HIWORD(wParam), nullptr);
    } else if (message == WM_NOTIFY && lParam != 0) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        ControlPeer* child = FromWindow(header->hwndFrom);
        if (child != nullptr && child != this) return child->Notified(header->code, header);
    } else if (message == WM_GETOBJECT) {
        if (const auto answer = AnswerAccessibleObject(window, wParam, lParam, Control())) return *answer;
    }
    return CallWindowProcA(classProc_, window, message, wParam, lParam);
}

// The click's report comes from the user only: nothing here clicks a control from code.
LRESULT ControlPeer::Notified(UINT code, const NMHDR*) {
    if (code == click_) Control().UserClick();
    return 0;
}

void ControlPeer::ShowBounds() {
    MoveWindow(window_, Scaled(Control().Left()), Scaled(Control().Top()), Scaled(Control().Width()),
               Scaled(Control().Height()), TRUE);
}

void ControlPeer::ShowVisible() { ShowWindow(window_, Shown() ? SW_SHOWNA : SW_HIDE); }

void ControlPeer::ShowEnabled() { EnableWindow(window_, Control().Enabled() ? TRUE : FALSE); }

void ControlPeer::ShowText(const std::string& text) {
    ++settingFromCode_;
    SetWindowTextA(window_, text.c_str());
    --settingFromCode_;
}

std::string ControlPeer::WindowText() const {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window_)) + 1);
    const int length = GetWindowTextA(window_, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void ControlPeer::ShowHint(const std::string& hint) {
    HWND root = GetAncestor(window_, GA_ROOT);
    if (root == nullptr || root == window_) return;
    SetHint(root, window_, hint);
}

void ControlPeer::ShowFont() {
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(Control().Font())), TRUE);
}

ControlPeer& PeerOf(TControl& control) { return dynamic_cast<ControlPeer&>(control.Peer()); }

HWND ParentWindowOf(TControl& control) {
    return control.Parent() != nullptr ? PeerOf(*control.Parent()).Handle() : nullptr;
}

}  // namespace win32backend
