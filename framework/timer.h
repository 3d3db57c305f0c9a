// A timer: OnTimer runs on the interface thread every Interval milliseconds while the timer is enabled
// and has a handler. Ticks are dispatch points: an error in the handler is reported and the timer goes on.
#pragma once

#include "framework/component.h"
#include "framework/notify_event.h"
#include "framework/widgetset/widgetset.h"

class TTimer : public TComponent {
    DECLARE_CLASS_INFO
  public:
    using TComponent::TComponent;
    ~TTimer() override;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& event);
    // Whether the ticks fall on the wall clock's marks, the multiples of Interval since midnight, rather
    // than every Interval from the start. Set by the program, not by the layout: how a check keeps time is
    // the program's concern, and the layout stays as its window was designed.
    bool AlignedToWallClock() const { return alignedToWallClock_; }
    void SetAlignedToWallClock(bool value);
    // Whether the timer animates the interface: its ticks go on while the program waits with the interface
    // kept alive (framework/interface_wait.h). Set by the program, for a handler that only shows.
    void SetAnimates(bool value);

    void Loaded() override;

  private:
    // Stops the running timer and starts one again when all conditions hold.
    void UpdateTimer();

    unsigned interval_ = 1000;
    bool enabled_ = true;
    bool alignedToWallClock_ = false;
    bool animates_ = false;
    TNotifyEvent onTimer_;
    widgetset::TimerId timer_ = 0;
};
