// The system's clock in virtual time: universal time, read on the local wall clock through a real time zone
// (the system's time zone database), and the clock the system's timers run on. Both move on as the event
// loop lets time pass; a test may also set the clock (a time server's correction, the user) or change the
// time zone, which leave the timers' clock where it is, as a suspend does: the timers' clock is a monotonic
// one, which stands still while the system sleeps.
#pragma once

#include <array>
#include <chrono>
#include <ctime>
#include <limits>
#include <string>

#include "platform/posix/core/win32_api.h"

namespace headless {

// Universal time.
using VirtualTime = std::chrono::sys_time<std::chrono::milliseconds>;

class VirtualClock {
  public:
    VirtualTime Now() const { return now_; }
    void Set(VirtualTime time) {
        now_ = time;
        ++sets_;
    }
    // How often the wall clock was set or its zone changed: a timer on the wall clock learns of each (see
    // VirtualEventLoop).
    unsigned long Sets() const { return sets_; }
    // A zone of the time zone database ("Europe/Berlin"); "UTC" at the start.
    void SetZone(const std::string& zone) {
        zone_ = zone;
        remembered_ = {};
        ++sets_;
    }
    const std::string& Zone() const { return zone_; }
    // Sets the clock to the first moment that reads so on the local clock (the earlier of a repeated hour);
    // throws std::invalid_argument for a date or time that does not exist, or that the zone skips.
    void SetLocalTime(int year, unsigned month, unsigned day, unsigned hour = 0, unsigned minute = 0,
                      unsigned second = 0);
    SYSTEMTIME LocalTime() const { return LocalTimeAt(now_); }
    SYSTEMTIME LocalTimeAt(VirtualTime time) const;
    SYSTEMTIME UniversalTime() const;

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
    // The local clock's parts at an instant, in the zone in force. The alarm's checks ask for the same few
    // instants again and again (a moment's day either side), and the C library's lookup costs far more than
    // remembering the last answers, by instant, until the zone changes.
    struct Remembered {
        long long second = std::numeric_limits<long long>::min();
        tm parts{};
    };
    tm LocalParts(std::chrono::sys_seconds instant) const;
    std::chrono::local_seconds LocalReading(std::chrono::sys_seconds instant) const;

    mutable std::array<Remembered, 64> remembered_{};
    VirtualTime now_ = std::chrono::sys_days{std::chrono::year{2026} / 1 / 1};
    std::string zone_ = "UTC";
    std::chrono::milliseconds uptime_{0};
    unsigned long sets_ = 0;
};

}  // namespace headless
