#include "platform/win32/instance_claim.h"

#include <stdexcept>

#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

UINT KnockMessage() {
    static const UINT message = RegisterWindowMessageA("alarmclock.another-start");
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

std::unique_ptr<InstanceClaim> InstanceClaim::Claim(const std::string& name,
                                                    std::function<void()> anotherStart) {
    // Local: one per user session.
    const std::string mutexName = "Local\\" + name + ".instance";
    const std::string windowName = name + ".instance";
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
        new InstanceClaim(std::move(mutex), windowName, std::move(anotherStart)));
}

InstanceClaim::InstanceClaim(Mutex mutex, const std::string& windowName, std::function<void()> anotherStart)
    : mutex_(std::move(mutex)),
      window_(
          [anotherStart = std::move(anotherStart)](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
              if (message != KnockMessage()) return std::nullopt;
              anotherStart();
              return 0;
          },
          windowName) {}

}  // namespace win32backend
