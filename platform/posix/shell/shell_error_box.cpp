#include "platform/posix/shell/shell_error_box.h"

#include <memory>

#include "platform/posix/core/window_table.h"

namespace {

// Read and changed on the interface thread only; never destroyed, as a posted box may be dispatched late.
struct ShellErrors {
    std::function<std::string()> caption;
    HWND window = nullptr;
};

ShellErrors& Errors() {
    static auto* errors = new ShellErrors;
    return *errors;
}

// The text travels in the message, and the procedure owns it from then on.
LRESULT CALLBACK ShellErrorProcedure(HWND, UINT, WPARAM, LPARAM text) {
    const std::unique_ptr<std::string> owned(reinterpret_cast<std::string*>(text));
    posix::ShowShellError(*owned);
    return 0;
}

}  // namespace

namespace posix {

void SetShellErrorCaption(std::function<std::string()> caption) { Errors().caption = std::move(caption); }

void ShowShellError(const std::string& text) {
    const auto& source = Errors().caption;
    const std::string caption = source ? source() : std::string();
    MessageBoxA(nullptr, text.c_str(), source ? caption.c_str() : nullptr, MB_OK | MB_ICONERROR);
}

std::function<void(std::string)> ShellErrorPoster() {
    if (Errors().window == nullptr) Errors().window = CreateWindowHandle(&ShellErrorProcedure);
    return [window = Errors().window](std::string text) {
        auto* owned = new std::string(std::move(text));
        if (!PostMessageA(window, WM_USER, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
    };
}

}  // namespace posix
