#include "platform/win32/timer_host.h"

#include <stdexcept>

namespace win32backend {

TimerHost::TimerHost()
    : window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER) return std::nullopt;
          Tick(wParam);
          return 0;
      }) {}

UINT_PTR TimerHost::Start(unsigned intervalMs, std::function<void()> tick) {
    const UINT_PTR id = next_++;
    if (SetTimer(window_.Handle(), id, intervalMs, nullptr) == 0) {
        throw std::runtime_error("Cannot start a timer (error " + std::to_string(GetLastError()) + ")");
    }
    ticks_[id] = std::move(tick);
    return id;
}

void TimerHost::Stop(UINT_PTR id) {
    if (ticks_.erase(id) != 0) KillTimer(window_.Handle(), id);
}

void TimerHost::Tick(UINT_PTR id) {
    auto it = ticks_.find(id);
    if (it == ticks_.end()) return;  // stopped, with its WM_TIMER already queued
    // A copy: the tick may stop its own timer, or start others.
    const std::function<void()> tick = it->second;
    tick();
}

}  // namespace win32backend
