// A timer on the wall clock's marks of one interval (framework/timer_marks.h), as a descriptor for the
// event loop to watch: a timerfd armed for the next mark as an absolute time on CLOCK_REALTIME, so that a
// suspend cannot make it late, and cancelled by the kernel when the clock is set or the system resumes.
#pragma once

#include "framework/rules/timer_marks.h"

namespace posix {

class WallClockTimer {
  public:
    // Armed for the first mark. Throws std::system_error when the system gives no such timer.
    explicit WallClockTimer(unsigned intervalMs);
    ~WallClockTimer();
    WallClockTimer(const WallClockTimer&) = delete;
    WallClockTimer& operator=(const WallClockTimer&) = delete;

    // Readable when the timer is due or was cancelled.
    int Descriptor() const { return descriptor_; }
    // For the loop when the descriptor is readable: whether the tick runs now. Armed again for the next
    // mark; a cancelled timer (the clock was set, the system resumed) ticks at once, off the marks.
    bool Wake();

  private:
    timer_marks::Step Arm();

    unsigned intervalMs_;
    int descriptor_;
};

}  // namespace posix
