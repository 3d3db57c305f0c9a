#include "platform/win32/event_loop.h"

#include "platform/api.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

namespace {

void Deliver(MSG& message) {
    // The forms are windows of ours at the root; the dialog manager gives them keyboard navigation.
    HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && ControlPeer::FromWindow(root) != nullptr && IsDialogMessageA(root, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

void RunUntil(const std::function<bool()>& done) {
    while (!done()) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) return;
        Deliver(message);
    }
}

void ProcessPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Deliver(message);
    }
}

namespace {

ModalScope* innermost = nullptr;

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> EnabledWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

ModalScope::ModalScope() : disabled_(EnabledWindows()), outer_(innermost) {
    for (HWND window : disabled_) EnableWindow(window, FALSE);
    innermost = this;
}

ModalScope::~ModalScope() {
    innermost = outer_;
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
}

void ModalScope::Showing(HWND window) {
    if (innermost == nullptr) return;
    if (IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        innermost->disabled_.push_back(window);
    }
    // Enumerated from the front: raising each to the top in reverse keeps their order.
    const std::vector<HWND> modal = EnabledWindows();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it) {
        SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    if (!modal.empty()) SetForegroundWindow(modal.front());
}

}  // namespace win32backend
