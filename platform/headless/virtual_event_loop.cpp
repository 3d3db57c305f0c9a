#include "platform/headless/virtual_event_loop.h"

#include <algorithm>

#include "platform/posix/window_table.h"

namespace headless {

VirtualEventLoop::TimerId VirtualEventLoop::StartTimer(std::chrono::milliseconds interval,
                                                       std::function<void()> tick) {
    // A zero interval would fire forever without time passing; Win32 treats it as the shortest one.
    const auto period = std::max(interval, std::chrono::milliseconds{1});
    timers_[++lastId_] = Timer{clock_.Now() + period, period, std::move(tick)};
    return lastId_;
}

VirtualEventLoop::TimerId VirtualEventLoop::Schedule(std::chrono::milliseconds delay,
                                                     std::function<void()> action) {
    timers_[++lastId_] = Timer{clock_.Now() + delay, std::chrono::milliseconds{0}, std::move(action)};
    return lastId_;
}

void VirtualEventLoop::StopTimer(TimerId timer) { timers_.erase(timer); }

bool VirtualEventLoop::RunNextDue(VirtualTime end) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    }
    if (next == timers_.end()) return false;
    clock_.Set(std::max(clock_.Now(), next->second.due));
    // Copy before running: the handler may stop or restart this timer, or start a nested loop that runs
    // it again, as a tick during a modal box does.
    std::function<void()> tick = next->second.tick;
    if (next->second.interval.count() == 0) {
        timers_.erase(next);
    } else {
        next->second.due = clock_.Now() + next->second.interval;
    }
    tick();
    return true;
}

void VirtualEventLoop::Advance(std::chrono::milliseconds duration) {
    const VirtualTime end = clock_.Now() + duration;
    do {
        posix::DispatchPostedMessages();
    } while (RunNextDue(end));
    clock_.Set(std::max(clock_.Now(), end));
    posix::DispatchPostedMessages();
}

bool VirtualEventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const VirtualTime end = clock_.Now() + limit;
    for (;;) {
        posix::DispatchPostedMessages();
        if (done()) return true;
        if (!RunNextDue(end)) {
            if (!posix::HasPostedMessages()) break;
        }
    }
    clock_.Set(std::max(clock_.Now(), end));
    return done();
}

void VirtualEventLoop::ProcessMessages() {
    do {
        posix::DispatchPostedMessages();
    } while (RunNextDue(clock_.Now()));
}

}  // namespace headless
