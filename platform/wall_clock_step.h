// The step of a timer that keeps to the wall clock from the local time now: what the desktop back ends ask
// when they arm such a timer and at every wake (the headless one asks its virtual clock).
#pragma once

#include "framework/rules/timer_marks.h"
#include "platform/api.h"

namespace timer_marks {

inline Step NextStepFromNow(unsigned intervalMs) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return NextStep(now, intervalMs);
}

}  // namespace timer_marks
