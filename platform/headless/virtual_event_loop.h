// The event loop in virtual time. Timers and scheduled actions run in the order of their due times (ties
// in the order they were started) as a test advances the clock; posted window messages run before each.
// A handler may advance time itself, as a modal box's nested loop does; time never goes backwards.
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

  private:
    struct Timer {
        VirtualTime due;
        std::chrono::milliseconds interval;  // zero for a one-shot action
        std::function<void()> tick;
    };

    // Runs the earliest timer due at or before end; false when none is.
    bool RunNextDue(VirtualTime end);

    VirtualClock& clock_;
    std::map<TimerId, Timer> timers_;
    TimerId lastId_ = 0;
};

}  // namespace headless
