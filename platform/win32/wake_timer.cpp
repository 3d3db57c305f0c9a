#include "platform/win32/wake_timer.h"

#include "platform/win32/system_error_text.h"

namespace win32backend {

std::optional<LARGE_INTEGER> DueTimeOfLocal(const SYSTEMTIME& local) {
    SYSTEMTIME reading = local;
    reading.wMilliseconds = 0;
    // The zone's rules for the reading's own date: a moment in summer keeps summer time's offset even when
    // it is asked for in winter.
    SYSTEMTIME utc{};
    FILETIME due{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &reading, &utc) || !SystemTimeToFileTime(&utc, &due))
        return std::nullopt;
    LARGE_INTEGER dueTime{};
    dueTime.LowPart = due.dwLowDateTime;
    dueTime.HighPart = static_cast<LONG>(due.dwHighDateTime);
    return dueTime;
}

WakeTimer::WakeTimer(RefusalHandler refused)
    : refused_(std::move(refused)), timer_(CreateWaitableTimerA(nullptr, TRUE, nullptr)) {
    if (timer_ == nullptr) Refuse("cannot make a wake-up timer: " + SystemErrorText(GetLastError()));
}

WakeTimer::~WakeTimer() {
    if (timer_ != nullptr) CloseHandle(timer_);
}

void WakeTimer::Hold(const std::optional<SYSTEMTIME>& localMoment) {
    if (timer_ == nullptr) return;
    if (!localMoment) {
        if (held_) CancelWaitableTimer(timer_);
        held_.reset();
        return;
    }
    const std::optional<LARGE_INTEGER> due = DueTimeOfLocal(*localMoment);
    if (!due) {
        Refuse("the moment is no date of the local clock");
        return;
    }
    // Asked at every alarm check: the timer is set again only for a change (a new alarm, a new time zone).
    if (held_ == due->QuadPart) return;
    held_ = due->QuadPart;
    // Success that did not arrange the resume tells so only through the last error.
    SetLastError(ERROR_SUCCESS);
    if (!SetWaitableTimer(timer_, &*due, 0, nullptr, nullptr, TRUE)) {
        held_.reset();  // tried again at the next check
        Refuse("cannot set the wake-up timer: " + SystemErrorText(GetLastError()));
    } else if (GetLastError() == ERROR_NOT_SUPPORTED) {
        Refuse("this system cannot resume the computer from sleep for a timer");
    }
}

void WakeTimer::Refuse(const std::string& why) {
    if (refusalSaid_) return;
    refusalSaid_ = true;
    refused_(why);
}

}  // namespace win32backend
