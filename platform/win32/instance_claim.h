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
    // The claim, or null when another process holds it; that one has then been knocked on.
    static std::unique_ptr<InstanceClaim> Claim(const std::string& name, std::function<void()> anotherStart);
    ~InstanceClaim();

  private:
    InstanceClaim(HANDLE mutex, const std::string& windowName, std::function<void()> anotherStart);

    HANDLE mutex_;
    HiddenWindow window_;
};

}  // namespace win32backend
