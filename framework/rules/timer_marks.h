// The wall clock's marks, on which a timer that keeps to the wall clock ticks: the multiples of its
// interval since local midnight (for ten seconds, :00, :10, ... :50 of every minute). A back end arms a
// one-shot timer for each step and asks again when it wakes, so the ticks never drift from the marks. When
// the clock jumps (a resume, a new time zone, a clock set) the back end wakes the timer at once: it ticks
// then, whatever the step says, and the ticks after it are on the marks again.
#pragma once

#include <chrono>

#include "platform/api.h"

namespace timer_marks {

// How far after its mark a tick is aimed: a wake a little early by the system's timer still comes after
// the mark, so it reads the new minute.
constexpr std::chrono::milliseconds kLag{5};

struct Step {
    // Whether the tick runs now. Not when woken shortly before a mark (the wall clock was set back a
    // little, or runs slower than the system's timers): the tick waits for that mark instead.
    bool tick;
    // From now to the next wake: the next mark, plus the lag.
    std::chrono::milliseconds wait;
};

// What a wall-clock timer of that interval does when it starts or wakes at local time now.
Step NextStep(const SYSTEMTIME& now, unsigned intervalMs);

}  // namespace timer_marks
