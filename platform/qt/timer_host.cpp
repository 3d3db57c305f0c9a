#include "platform/qt/timer_host.h"

#include <stdexcept>

#include "framework/error_reporting.h"
#include "framework/timer_marks.h"
#include "platform/wall_clock_step.h"

namespace qtbackend {

namespace {

void Arm(QTimer& timer, std::chrono::milliseconds wait) {
    timer.start(wait);
    if (!timer.isActive()) throw std::runtime_error("Qt could not start a timer");
}

}  // namespace

std::pair<int, QTimer*> TimerHost::Add(std::function<void()> tick) {
    const int id = ++lastId_;
    auto& entry = timers_[id] = Entry{std::make_unique<QTimer>(), std::move(tick)};
    return {id, entry.timer.get()};
}

int TimerHost::Start(unsigned intervalMs, std::function<void()> tick) {
    const auto [id, timer] = Add(std::move(tick));
    QObject::connect(timer, &QTimer::timeout, this, [this, id] { PostTick(id); });
    Arm(*timer, std::chrono::milliseconds{intervalMs});
    return id;
}

// A one-shot precise timer, re-armed at every wake for the next mark: a repeating timer would drift from
// the marks by each late wake, and would never notice that the wall clock was set.
int TimerHost::StartWallClock(unsigned intervalMs, std::function<void()> tick) {
    const auto [id, timer] = Add(std::move(tick));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, this, [this, id, intervalMs, timer] {
        const timer_marks::Step step = timer_marks::NextStepFromNow(intervalMs);
        ReportErrors([&] { Arm(*timer, step.wait); });
        if (step.tick) PostTick(id);
    });
    Arm(*timer, timer_marks::NextStepFromNow(intervalMs).wait);
    return id;
}

void TimerHost::Stop(int id) { timers_.erase(id); }

// The tick runs from the event queue, not inside the timer's event: a handler that waits in a modal box
// (the alarm's message, opened from the alarm check's tick) must not hold back the other timers, such as
// the tray's flashing and the media player's end-of-playback poll.
void TimerHost::PostTick(int id) {
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            auto it = timers_.find(id);
            if (it == timers_.end()) return;  // stopped meanwhile
            // A copy: the tick may stop its own timer, or start others.
            const std::function<void()> tick = it->second.tick;
            tick();
        },
        Qt::QueuedConnection);
}

}  // namespace qtbackend
