// One running program per user session: a named mutex held for the process's life, and a message-only
// window named after it on which later starts knock.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/hidden_window.h"

namespace win32backend {

class InstanceClaim {
  public:
    // The claim, or null when another process holds it; that one has then been knocked on. Throws
    // std::runtime_error with a text for the user when the mutex cannot be made at all (its name taken by
    // another kind of object, say): without it a second start would not be stopped.
    static std::unique_ptr<InstanceClaim> Claim(const std::string& name, std::function<void()> anotherStart);

  private:
    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    using Mutex = std::unique_ptr<void, HandleCloser>;

    InstanceClaim(Mutex mutex, const std::string& windowName, std::function<void()> anotherStart);

    Mutex mutex_;
    HiddenWindow window_;
};

}  // namespace win32backend
