// The local wall clock in virtual time: tests set it and the event loop moves it; nothing else does.
#pragma once

#include <chrono>

#include "platform/posix/win32_api.h"

namespace headless {

using VirtualTime = std::chrono::sys_time<std::chrono::milliseconds>;

class VirtualClock {
  public:
    VirtualTime Now() const { return now_; }
    void Set(VirtualTime time) { now_ = time; }
    // Local time from its parts; throws std::invalid_argument for a date or time that does not exist.
    void SetLocalTime(int year, unsigned month, unsigned day, unsigned hour = 0, unsigned minute = 0,
                      unsigned second = 0);
    SYSTEMTIME LocalTime() const;

  private:
    VirtualTime now_ = std::chrono::sys_days{std::chrono::year{2026} / 1 / 1};
};

}  // namespace headless
