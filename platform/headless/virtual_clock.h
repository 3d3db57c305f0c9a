// The local wall clock in virtual time, and the clock the system's timers run on. Both move on as the event
// loop lets time pass; a test may also set the wall clock (a time zone change, a time server's correction),
// which leaves the timers' clock where it is, as a suspend does: the timers' clock is a monotonic one, which
// stands still while the system sleeps.
#pragma once

#include <chrono>

#include "platform/posix/win32_api.h"

namespace headless {

using VirtualTime = std::chrono::sys_time<std::chrono::milliseconds>;

class VirtualClock {
  public:
    VirtualTime Now() const { return now_; }
    void Set(VirtualTime time) {
        now_ = time;
        ++sets_;
    }
    // How often the wall clock was set: a timer on the wall clock learns of each (see VirtualEventLoop).
    unsigned long Sets() const { return sets_; }
    // Local time from its parts; throws std::invalid_argument for a date or time that does not exist.
    void SetLocalTime(int year, unsigned month, unsigned day, unsigned hour = 0, unsigned minute = 0,
                      unsigned second = 0);
    SYSTEMTIME LocalTime() const;

    // The timers' clock: time since the virtual system started, never set.
    std::chrono::milliseconds Uptime() const { return uptime_; }
    // Time passing: both clocks move on.
    void Pass(std::chrono::milliseconds duration) {
        now_ += duration;
        uptime_ += duration;
    }
    // Time passing until the timers' clock reads uptime; nothing when it is there already.
    void PassUntil(std::chrono::milliseconds uptime) {
        if (uptime > uptime_) Pass(uptime - uptime_);
    }

  private:
    VirtualTime now_ = std::chrono::sys_days{std::chrono::year{2026} / 1 / 1};
    std::chrono::milliseconds uptime_{0};
    unsigned long sets_ = 0;
};

}  // namespace headless
