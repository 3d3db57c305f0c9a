// The widgetset's timers: SetTimer on one hidden window, each WM_TIMER running its tick. A tick that waits
// in a modal box does not hold back the others: the box's own loop goes on dispatching WM_TIMER.
#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "platform/win32/hidden_window.h"

namespace win32backend {

class TimerHost {
  public:
    TimerHost();

    // Each returns the timer's id, never 0.
    UINT_PTR Start(unsigned intervalMs, std::function<void()> tick);
    // Ticks on the wall clock's marks of that interval (framework/timer_marks.h), and at once when the
    // clock is set or the system resumes.
    UINT_PTR StartWallClock(unsigned intervalMs, std::function<void()> tick);
    void Stop(UINT_PTR id);
    // For the system's word that the clock was set or the system resumed: every wall-clock timer is due now
    // and ticks, whatever its step says.
    void WakeWallClockTimers();

  private:
    struct Entry {
        std::function<void()> tick;
        unsigned wallClockIntervalMs;  // 0 for a timer that ticks every interval from its start
        bool clockSet = false;         // a wall-clock timer woken because the clock was set
    };

    UINT_PTR Add(std::chrono::milliseconds first, Entry entry);
    void Arm(UINT_PTR id, std::chrono::milliseconds wait);
    void Tick(UINT_PTR id);

    HiddenWindow window_;
    std::map<UINT_PTR, Entry> ticks_;
    UINT_PTR next_ = 1;
};

}  // namespace win32backend
