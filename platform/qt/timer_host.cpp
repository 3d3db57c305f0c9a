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

void TimerHost::timerEvent(QTimerEvent* event) {
    auto it = ticks_.find(event->timerId());
    if (it == ticks_.end()) return;
    // A copy: the tick may stop its own timer, or start others.
    const std::function<void()> tick = it->second;
    tick();
}

}  // namespace qtbackend
