#include "framework/timer.h"

#include <utility>

#include "framework/error_reporting.h"
#include "framework/published.h"

namespace {

const PropertyInfo kProperties[] = {
    BooleanProperty<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled", true),
    IntegerProperty<&TTimer::Interval, &TTimer::SetInterval>("Interval", 1000),
    EventProperty<&TTimer::OnTimer, &TTimer::SetOnTimer>("OnTimer"),
};

}  // namespace

const ClassInfo TTimer::Class = CreatableClass<TTimer, TComponent>("TTimer", kProperties);

TTimer::~TTimer() {
    if (timer_ != 0) CurrentWidgetset().StopTimer(timer_);
}

void TTimer::SetInterval(unsigned value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetAlignedToWallClock(bool value) {
    if (value == alignedToWallClock_) return;
    alignedToWallClock_ = value;
    UpdateTimer();
}

void TTimer::SetAnimates(bool value) {
    if (value == animates_) return;
    animates_ = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& event) {
    onTimer_ = event;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (timer_ != 0) {
        CurrentWidgetset().StopTimer(timer_);
        timer_ = 0;
    }
    if (!enabled_ || interval_ == 0 || !onTimer_ || IsLoading() || IsDesigning() || IsDestroying()) return;
    auto tick = [this] { ReportErrors([this] { onTimer_(this); }); };
    widgetset::Widgetset& widgetset = CurrentWidgetset();
    if (alignedToWallClock_) {
        timer_ = widgetset.StartWallClockTimer(interval_, std::move(tick));
    } else if (animates_) {
        timer_ = widgetset.StartAnimationTimer(interval_, std::move(tick));
    } else {
        timer_ = widgetset.StartTimer(interval_, std::move(tick));
    }
}
