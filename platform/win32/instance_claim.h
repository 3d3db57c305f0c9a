// One running program per user session: a named mutex held for the process's life, and a message-only
// window named after it on which later starts knock and through which the uninstaller asks the program to
// end (instance_window.h). A start with a command sends it in WM_COPYDATA with a window of its own, to which
// the holder sends the answer the same way (its exit status on a line, then its text) before it returns.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/widgetset/widgetset.h"
#include "platform/win32/hidden_window.h"

namespace win32backend {

class InstanceClaim {
  public:
    // The claim, or null when another process holds it; that one has then been knocked on. While the claim
    // lasts, requests answers each knock (the empty request) and command, and endRequested runs when the
    // program is asked to end. Throws std::runtime_error with a text for the user when the mutex cannot be
    // made at all (its name taken by another kind of object, say): without it a second start would not be
    // stopped.
    static std::unique_ptr<InstanceClaim> Claim(const std::string& name, widgetset::InstanceRequests requests,
                                                std::function<void()> endRequested);
    // The holder's answer to a command; nothing when no process holds the claim for name.
    static std::optional<widgetset::InstanceAnswer> Ask(const std::string& name, const std::string& command);

  private:
    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    using Mutex = std::unique_ptr<void, HandleCloser>;

    InstanceClaim(Mutex mutex, const std::string& windowName, widgetset::InstanceRequests requests,
                  std::function<void()> endRequested);

    Mutex mutex_;
    HiddenWindow window_;
};

}  // namespace win32backend
