// The widgetset's timers: SetTimer on one hidden window, each WM_TIMER running its tick. A tick that waits
// in a modal box does not hold back the others: the box's own loop goes on dispatching WM_TIMER.
#pragma once

#include <functional>
#include <map>

#include "platform/win32/hidden_window.h"

namespace win32backend {

class TimerHost {
  public:
    TimerHost();

    // Returns the timer's id, never 0.
    UINT_PTR Start(unsigned intervalMs, std::function<void()> tick);
    void Stop(UINT_PTR id);

  private:
    void Tick(UINT_PTR id);

    HiddenWindow window_;
    std::map<UINT_PTR, std::function<void()>> ticks_;
    UINT_PTR next_ = 1;
};

}  // namespace win32backend
