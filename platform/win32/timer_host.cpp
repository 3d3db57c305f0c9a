#include "platform/win32/timer_host.h"

#include <stdexcept>
#include <utility>

#include "framework/error_reporting.h"
#include "framework/rules/timer_marks.h"
#include "platform/wall_clock_step.h"

namespace win32backend {

TimerHost::TimerHost()
    : window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER) return std::nullopt;
          Tick(wParam);
          return 0;
      }) {}

UINT_PTR TimerHost::Start(unsigned intervalMs, std::function<void()> tick) {
    return Add(std::chrono::milliseconds{intervalMs}, Entry{std::move(tick), 0});
}

// SetTimer again on each wake, for the next mark: a repeating timer would drift from the marks by each
// late wake, and would never notice that the wall clock was set.
UINT_PTR TimerHost::StartWallClock(unsigned intervalMs, std::function<void()> tick) {
    return Add(timer_marks::NextStepFromNow(intervalMs).wait, Entry{std::move(tick), intervalMs});
}

UINT_PTR TimerHost::Add(std::chrono::milliseconds first, Entry entry) {
    const UINT_PTR id = next_++;
    Arm(id, first);
    ticks_[id] = std::move(entry);
    return id;
}

void TimerHost::Arm(UINT_PTR id, std::chrono::milliseconds wait) {
    if (SetTimer(window_.Handle(), id, static_cast<UINT>(wait.count()), nullptr) == 0) {
        throw std::runtime_error("Cannot start a timer (error " + std::to_string(GetLastError()) + ")");
    }
}

void TimerHost::Stop(UINT_PTR id) {
    if (ticks_.erase(id) != 0) KillTimer(window_.Handle(), id);
}

// Through the queue, as any tick: a tick may wait in a modal box, and the system waits for the answer to
// its broadcast.
void TimerHost::WakeWallClockTimers() {
    for (auto& [id, entry] : ticks_) {
        if (entry.wallClockIntervalMs == 0) continue;
        entry.clockSet = true;
        ReportErrors([&] { Arm(id, std::chrono::milliseconds{0}); });
    }
}

void TimerHost::Tick(UINT_PTR id) {
    auto it = ticks_.find(id);
    if (it == ticks_.end()) return;  // stopped, with its WM_TIMER already queued
    // A copy: the tick may stop its own timer, or start others.
    const std::function<void()> tick = it->second.tick;
    if (const unsigned interval = it->second.wallClockIntervalMs; interval != 0) {
        // Re-armed before the tick runs, which may wait in a modal box.
        const timer_marks::Step step = timer_marks::NextStepFromNow(interval);
        ReportErrors([&] { Arm(id, step.wait); });
        const bool clockSet = std::exchange(it->second.clockSet, false);
        if (!step.tick && !clockSet) return;
    }
    tick();
}

}  // namespace win32backend
