#include "platform/headless/virtual_event_loop.h"

#include <algorithm>
#include <utility>

#include "framework/rules/timer_marks.h"
#include "platform/posix/core/window_table.h"

namespace headless {

using std::chrono::milliseconds;

namespace {

timer_marks::Step NextMarkStep(const VirtualClock& clock, milliseconds interval) {
    return timer_marks::NextStep(clock.LocalTime(), static_cast<unsigned>(interval.count()));
}

}  // namespace

VirtualEventLoop::TimerId VirtualEventLoop::Add(Timer timer) {
    timers_[++lastId_] = std::move(timer);
    return lastId_;
}

VirtualEventLoop::TimerId VirtualEventLoop::StartTimer(milliseconds interval, std::function<void()> tick) {
    // A zero interval would fire forever without time passing; Win32 treats it as the shortest one.
    const auto period = std::max(interval, milliseconds{1});
    return Add(Timer{clock_.Uptime() + period, Pace::Interval, period, std::move(tick)});
}

VirtualEventLoop::TimerId VirtualEventLoop::StartAnimationTimer(milliseconds interval,
                                                                std::function<void()> tick) {
    const TimerId id = StartTimer(interval, std::move(tick));
    timers_[id].animation = true;
    return id;
}

VirtualEventLoop::TimerId VirtualEventLoop::StartWallClockTimer(milliseconds interval,
                                                                std::function<void()> tick) {
    WakeOnClockSet();  // a set before its start is no news to the new timer
    return Add(Timer{clock_.Uptime() + NextMarkStep(clock_, interval).wait, Pace::WallClockMarks, interval,
                     std::move(tick)});
}

VirtualEventLoop::TimerId VirtualEventLoop::Schedule(milliseconds delay, std::function<void()> action) {
    return Add(Timer{clock_.Uptime() + delay, Pace::Once, milliseconds{0}, std::move(action)});
}

void VirtualEventLoop::StopTimer(TimerId timer) { timers_.erase(timer); }

void VirtualEventLoop::WakeOnClockSet() {
    if (clock_.Sets() == clockSetsSeen_) return;
    clockSetsSeen_ = clock_.Sets();
    for (auto& [id, timer] : timers_) {
        if (timer.pace != Pace::WallClockMarks) continue;
        timer.due = std::min(timer.due, clock_.Uptime());
        timer.clockSet = true;
    }
}

bool VirtualEventLoop::RunNextDue(milliseconds end, Runs runs) {
    WakeOnClockSet();
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (runs == Runs::AnimationsOnly && !it->second.animation) continue;
        if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == timers_.end()) return false;
    clock_.PassUntil(next->second.due);
    // Copy before running: the handler may stop or restart this timer, or start a nested loop that runs
    // it again, as a tick during a modal box does.
    std::function<void()> tick = next->second.tick;
    switch (next->second.pace) {
        case Pace::Once:
            timers_.erase(next);
            break;
        case Pace::Interval:
            next->second.due = clock_.Uptime() + next->second.interval;
            break;
        case Pace::WallClockMarks: {
            const timer_marks::Step step = NextMarkStep(clock_, next->second.interval);
            next->second.due = clock_.Uptime() + step.wait;
            const bool clockSet = std::exchange(next->second.clockSet, false);
            if (!step.tick && !clockSet) return true;
            break;
        }
    }
    tick();
    return true;
}

void VirtualEventLoop::Advance(milliseconds duration) {
    const milliseconds end = clock_.Uptime() + duration;
    do {
        posix::DispatchPostedMessages();
    } while (RunNextDue(end));
    clock_.PassUntil(end);
    posix::DispatchPostedMessages();
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& done, milliseconds limit) {
    const milliseconds end = clock_.Uptime() + limit;
    for (;;) {
        posix::DispatchPostedMessages();
        if (done()) return true;
        if (!RunNextDue(end)) {
            if (!posix::HasPostedMessages()) break;
        }
    }
    clock_.PassUntil(end);
    return done();
}

bool VirtualEventLoop::WaitKeepingAlive(milliseconds duration, const std::function<bool()>& done) {
    const milliseconds end = clock_.Uptime() + duration;
    while (!done()) {
        if (!RunNextDue(end, Runs::AnimationsOnly)) {
            clock_.PassUntil(end);
            return done();
        }
    }
    return true;
}

void VirtualEventLoop::ProcessMessages() {
    do {
        posix::DispatchPostedMessages();
    } while (RunNextDue(clock_.Uptime()));
}

}  // namespace headless
