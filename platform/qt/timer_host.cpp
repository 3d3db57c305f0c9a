#include "platform/qt/timer_host.h"

#include <QTimerEvent>
#include <stdexcept>

namespace qtbackend {

int TimerHost::Start(unsigned intervalMs, std::function<void()> tick) {
    const int id = startTimer(static_cast<int>(intervalMs));
    if (id == 0) throw std::runtime_error("Qt could not start a timer");
    ticks_[id] = std::move(tick);
    return id;
}

void TimerHost::Stop(int id) {
    if (ticks_.erase(id) != 0) killTimer(id);
}

// The tick runs from the event queue, not inside timerEvent: a handler that waits in a modal box (the
// alarm's message, opened from the alarm check's tick) must not hold back this object's other timers,
// such as the tray's flashing and the media player's end-of-playback poll.
void TimerHost::timerEvent(QTimerEvent* event) {
    const int id = event->timerId();
    if (!ticks_.contains(id)) return;
    QMetaObject::invokeMethod(
        this,
        [this, id] {
            auto it = ticks_.find(id);
            if (it == ticks_.end()) return;  // stopped meanwhile
            // A copy: the tick may stop its own timer, or start others.
            const std::function<void()> tick = it->second;
            tick();
        },
        Qt::QueuedConnection);
}

}  // namespace qtbackend
