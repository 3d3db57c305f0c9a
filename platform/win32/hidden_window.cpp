#include "platform/win32/hidden_window.h"

#include <stdexcept>

#include "platform/win32/window_classes.h"

namespace win32backend {

HiddenWindow::HiddenWindow(Handler handler, const std::string& title, bool messageOnly)
    : handler_(std::move(handler)) {
    window_ =
        CreateWindowExA(0, HiddenWindowClass(), title.c_str(), messageOnly ? 0 : WS_POPUP, 0, 0, 0, 0,
                        messageOnly ? HWND_MESSAGE : nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
        throw std::runtime_error("Cannot create a hidden window (error " + std::to_string(GetLastError()) +
                                 ")");
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ReplaceWindowProc(window_, &WindowProc);
}

HiddenWindow::~HiddenWindow() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK HiddenWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HiddenWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr) {
        if (const std::optional<LRESULT> result = self->handler_(message, wParam, lParam)) return *result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace win32backend
