#include "platform/posix/shell_error_box.h"

#include <deque>
#include <mutex>
#include <optional>

#include "platform/posix/window_table.h"

namespace {

// What the interface thread reads when a box is due; a thread that posts only fills the queue.
struct ShellErrors {
    std::function<std::string()> caption;
    std::mutex mutex;
    std::deque<std::string> pending;
    HWND window = nullptr;
};

ShellErrors& Errors() {
    static auto* errors = new ShellErrors;  // never destroyed: a waiting thread may post at exit
    return *errors;
}

std::optional<std::string> NextPending() {
    std::lock_guard lock(Errors().mutex);
    if (Errors().pending.empty()) return std::nullopt;
    std::string text = std::move(Errors().pending.front());
    Errors().pending.pop_front();
    return text;
}

// Each posted message stands for one pending text.
LRESULT CALLBACK ShellErrorProcedure(HWND, UINT, WPARAM, LPARAM) {
    if (const auto text = NextPending()) posix::ShowShellError(*text);
    return 0;
}

}  // namespace

namespace posix {

void SetShellErrorCaption(std::function<std::string()> caption) { Errors().caption = std::move(caption); }

void ShowShellError(const std::string& text) {
    const std::string caption = Errors().caption ? Errors().caption() : std::string();
    MessageBoxA(nullptr, text.c_str(), Errors().caption ? caption.c_str() : nullptr, MB_OK | MB_ICONERROR);
}

void PostShellError(std::string text) {
    HWND window = nullptr;
    {
        std::lock_guard lock(Errors().mutex);
        if (Errors().window == nullptr) Errors().window = CreateWindowHandle(&ShellErrorProcedure);
        Errors().pending.push_back(std::move(text));
        window = Errors().window;
    }
    PostMessageA(window, WM_USER, 0, 0);
}

}  // namespace posix
