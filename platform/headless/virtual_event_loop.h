// The event loop in virtual time. Timers and scheduled actions run in the order of their due times on the
// timers' clock (ties in the order they were started) as a test advances time; posted window messages run
// before each. A handler may advance time itself, as a modal box's nested loop does; time never goes
// backwards. Setting the wall clock moves no plain timer. The wall-clock timers are those of a system that
// tells them when its clock is set or it resumed: they wake at once, tick, and go back to the marks.
#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "platform/headless/virtual_clock.h"

namespace headless {

class VirtualEventLoop {
  public:
    using TimerId = unsigned long;

    explicit VirtualEventLoop(VirtualClock& clock) : clock_(clock) {}

    TimerId StartTimer(std::chrono::milliseconds interval, std::function<void()> tick);
    // As StartTimer; it also ticks inside WaitKeepingAlive.
    TimerId StartAnimationTimer(std::chrono::milliseconds interval, std::function<void()> tick);
    // Ticks on the wall clock's marks of that interval (framework/timer_marks.h).
    TimerId StartWallClockTimer(std::chrono::milliseconds interval, std::function<void()> tick);
    // Runs action once, delay from now.
    TimerId Schedule(std::chrono::milliseconds delay, std::function<void()> action);
    void StopTimer(TimerId timer);
    bool HasTimers() const { return !timers_.empty(); }

    // Runs everything due up to now + duration, then leaves the clock there.
    void Advance(std::chrono::milliseconds duration);
    // Advances from event to event until done() holds; false when limit passes first.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // Runs the posted messages and whatever is due now.
    void ProcessMessages();
    // Advances until done() holds or duration has passed, running only the animation timers: everything
    // else that comes due meanwhile is held, and runs, late, when the loop runs next (framework/
    // interface_wait.h). Returns done().
    bool WaitKeepingAlive(std::chrono::milliseconds duration, const std::function<bool()>& done);
    // The system sleeps for duration and nothing runs: the wall clock moves on, the timers' clock does
    // not. On waking (the next Advance or ProcessMessages) the wall-clock timers tick at once; the plain
    // ones go on with the time they had left.
    void Suspend(std::chrono::milliseconds duration) { clock_.Set(clock_.Now() + duration); }

  private:
    enum class Pace { Once, Interval, WallClockMarks };
    struct Timer {
        std::chrono::milliseconds due;  // on the timers' clock
        Pace pace;
        std::chrono::milliseconds interval;
        std::function<void()> tick;
        bool clockSet = false;  // a wall-clock timer woken by a set of the clock
        bool animation = false;
    };
    enum class Runs { All, AnimationsOnly };

    TimerId Add(Timer timer);
    // Runs the earliest timer due at or before end (on the timers' clock); false when none is.
    bool RunNextDue(std::chrono::milliseconds end, Runs runs = Runs::All);
    // The wall-clock timers learn that the clock was set since they last looked: they are due now.
    void WakeOnClockSet();

    VirtualClock& clock_;
    std::map<TimerId, Timer> timers_;
    TimerId lastId_ = 0;
    unsigned long clockSetsSeen_ = clock_.Sets();
};

}  // namespace headless
