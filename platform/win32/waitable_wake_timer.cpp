#include "platform/win32/waitable_wake_timer.h"

#include "platform/win32/system_error_text.h"

namespace win32backend {

LARGE_INTEGER DueTimeOf(std::chrono::sys_seconds moment) {
    // From 1601-01-01 to the Unix epoch: 369 years, 89 of them leap years.
    constexpr std::chrono::seconds kFrom1601{11'644'473'600};
    LARGE_INTEGER due{};
    due.QuadPart = (moment.time_since_epoch() + kFrom1601).count() * 10'000'000;
    return due;
}

WaitableWakeTimer::WaitableWakeTimer(RefusalHandler refused)
    : refused_(std::move(refused)), timer_(CreateWaitableTimerA(nullptr, TRUE, nullptr)) {
    if (timer_ == nullptr) Refuse("cannot make a wake-up timer: " + SystemErrorText(GetLastError()));
}

WaitableWakeTimer::~WaitableWakeTimer() {
    if (timer_ != nullptr) CloseHandle(timer_);
}

void WaitableWakeTimer::Hold(std::optional<std::chrono::sys_seconds> moment) {
    if (timer_ == nullptr) return;
    if (!moment) {
        if (held_) CancelWaitableTimer(timer_);
        held_.reset();
        return;
    }
    const LARGE_INTEGER due = DueTimeOf(*moment);
    // Asked at every alarm check: the timer is set again only for a change (a new alarm, a new time zone).
    if (held_ == due.QuadPart) return;
    held_ = due.QuadPart;
    // Success that did not arrange the resume tells so only through the last error.
    SetLastError(ERROR_SUCCESS);
    if (!SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, TRUE)) {
        held_.reset();  // tried again at the next check
        Refuse("cannot set the wake-up timer: " + SystemErrorText(GetLastError()));
    } else if (GetLastError() == ERROR_NOT_SUPPORTED) {
        Refuse("this system cannot resume the computer from sleep for a timer");
    }
}

void WaitableWakeTimer::Refuse(const std::string& why) {
    if (refusalSaid_) return;
    refusalSaid_ = true;
    refused_(why);
}

}  // namespace win32backend
