#include "platform/qt/timer_host.h"

#include <stdexcept>

#include "framework/error_reporting.h"
#include "platform/qt/interface_wait.h"

namespace qtbackend {

int TimerHost::Add(Entry entry) {
    const int id = ++lastId_;
    timers_[id] = std::move(entry);
    return id;
}

int TimerHost::Start(unsigned intervalMs, std::function<void()> tick, bool animation) {
    auto timer = std::make_unique<QTimer>();
    QTimer& started = *timer;
    const int id = Add(Entry{.tick = std::move(tick),
                             .timer = std::move(timer),
                             .wallClock = nullptr,
                             .wallClockWatch = nullptr,
                             .animation = animation});
    QObject::connect(&started, &QTimer::timeout, this, [this, id] { PostTick(id); });
    started.start(std::chrono::milliseconds{intervalMs});
    if (!started.isActive()) {
        Stop(id);
        throw std::runtime_error("Qt could not start a timer");
    }
    return id;
}

// A timer of the system's clock, not a Qt timer: Qt's run on the monotonic clock, which stands still while
// the system sleeps, so a tick armed before a suspend would come late by the time it had left, and a set
// of the clock would be seen only at the next planned wake.
int TimerHost::StartWallClock(unsigned intervalMs, std::function<void()> tick) {
    auto timer = std::make_unique<posix::WallClockTimer>(intervalMs);
    auto watch = std::make_unique<QSocketNotifier>(timer->Descriptor(), QSocketNotifier::Read);
    posix::WallClockTimer& woken = *timer;
    QSocketNotifier& watched = *watch;
    const int id = Add(Entry{.tick = std::move(tick),
                             .timer = nullptr,
                             .wallClock = std::move(timer),
                             .wallClockWatch = std::move(watch),
                             .animation = false});
    QObject::connect(&watched, &QSocketNotifier::activated, this, [this, id, &woken] {
        bool tick = false;
        ReportErrors([&] { tick = woken.Wake(); });
        if (tick) PostTick(id);
    });
    return id;
}

void TimerHost::Stop(int id) { timers_.erase(id); }

// The tick runs from the event queue, not inside the timer's event: a handler that waits in a modal box
// (the alarm's message, opened from the alarm check's tick) must not hold back the other timers, such as
// the tray's flashing and the media player's end-of-playback poll.
void TimerHost::PostTick(int id) {
    QMetaObject::invokeMethod(
        this, [this, id] { Tick(id); }, Qt::QueuedConnection);
}

void TimerHost::Tick(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;  // stopped meanwhile
    if (!it->second.animation && InterfaceWaiting()) {
        if (held_.insert(id).second) {
            RunOrHold([this, id] {
                held_.erase(id);
                Tick(id);
            });
        }
        return;
    }
    // A copy: the tick may stop its own timer, or start others.
    const std::function<void()> tick = it->second.tick;
    tick();
}

}  // namespace qtbackend
