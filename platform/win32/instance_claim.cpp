#include "platform/win32/instance_claim.h"

#include <stdexcept>

#include "platform/win32/instance_window.h"
#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

UINT KnockMessage() {
    static const UINT message = RegisterWindowMessageA(kAnotherStartMessage.c_str());
    return message;
}

UINT EndMessage() {
    static const UINT message = RegisterWindowMessageA(kEndMessage.c_str());
    return message;
}

// The first start creates its window just after its mutex: a second start in between waits for it.
void Knock(const std::string& windowName) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        HWND window = FindWindowExA(HWND_MESSAGE, nullptr, HiddenWindowClass(), windowName.c_str());
        if (window != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // The running program may then bring its window to the front.
            AllowSetForegroundWindow(process);
            PostMessageA(window, KnockMessage(), 0, 0);
            return;
        }
        Sleep(100);
    }
}

}  // namespace

std::unique_ptr<InstanceClaim> InstanceClaim::Claim(const std::string& name, std::function<void()> anotherStart,
                                                    std::function<void()> endRequested) {
    // Local: one per user session.
    const std::string mutexName = "Local\\" + name + ".instance";
    const std::string windowName = InstanceWindowName(name);
    Mutex mutex(CreateMutexA(nullptr, FALSE, mutexName.c_str()));
    if (!mutex) {
        throw std::runtime_error("Cannot make the mutex " + mutexName +
                                 " that keeps a second start away (error " + std::to_string(GetLastError()) +
                                 ")");
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        Knock(windowName);
        return nullptr;
    }
    return std::unique_ptr<InstanceClaim>(
        new InstanceClaim(std::move(mutex), windowName, std::move(anotherStart), std::move(endRequested)));
}

InstanceClaim::InstanceClaim(Mutex mutex, const std::string& windowName, std::function<void()> anotherStart,
                             std::function<void()> endRequested)
    : mutex_(std::move(mutex)),
      window_(
          [anotherStart = std::move(anotherStart), endRequested = std::move(endRequested)](
              UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
              if (message == KnockMessage()) {
                  anotherStart();
              } else if (message == EndMessage()) {
                  endRequested();
              } else {
                  return std::nullopt;
              }
              return 0;
          },
          windowName) {}

}  // namespace win32backend
