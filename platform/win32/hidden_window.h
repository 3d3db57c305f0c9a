// The back end's own windows that are never seen: a message-only window (or, for the application's
// window, a hidden top-level one) whose messages go to a handler.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/api.h"

namespace win32backend {

class HiddenWindow {
  public:
    // handler returns the message's result, or nothing for the system's default handling.
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    HiddenWindow(Handler handler, const std::string& title = {}, bool messageOnly = true);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND Handle() const { return window_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

}  // namespace win32backend
