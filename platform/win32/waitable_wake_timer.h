// The wake-up on Windows: a waitable timer that resumes the computer from sleep at its moment.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "platform/api.h"

namespace win32backend {

// An instant as a timer's absolute due time (UTC, in 100 ns since 1601).
LARGE_INTEGER DueTimeOf(std::chrono::sys_seconds moment);

class WaitableWakeTimer {
  public:
    // Told at most once why the computer will not wake: the timer could not be made or set, or the system
    // cannot resume for a timer. A power plan that disallows wake timers is not told: the timer is set.
    using RefusalHandler = std::function<void(const std::string& why)>;

    explicit WaitableWakeTimer(RefusalHandler refused);
    ~WaitableWakeTimer();
    WaitableWakeTimer(const WaitableWakeTimer&) = delete;
    WaitableWakeTimer& operator=(const WaitableWakeTimer&) = delete;

    // In place of the moment held before; none cancels it.
    void Hold(std::optional<std::chrono::sys_seconds> moment);
    // The timer, signalled when its moment comes; null when it could not be made.
    HANDLE Handle() const { return timer_; }

  private:
    void Refuse(const std::string& why);

    RefusalHandler refused_;
    bool refusalSaid_ = false;
    HANDLE timer_;
    std::optional<LONGLONG> held_;  // the due time set, while one is
};

}  // namespace win32backend
