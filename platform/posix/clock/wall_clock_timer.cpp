#include "platform/posix/clock/wall_clock_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "platform/posix/clock/real_local_time.h"

namespace posix {

namespace {

[[noreturn]] void ThrowSystemError(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

WallClockTimer::WallClockTimer(unsigned intervalMs)
    : intervalMs_(intervalMs), descriptor_(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (descriptor_ < 0) ThrowSystemError("Cannot create a wall-clock timer");
    try {
        Arm();
    } catch (...) {
        close(descriptor_);
        throw;
    }
}

WallClockTimer::~WallClockTimer() { close(descriptor_); }

bool WallClockTimer::Wake() {
    std::uint64_t expirations = 0;
    if (read(descriptor_, &expirations, sizeof expirations) >= 0) return Arm().tick;
    if (errno == EAGAIN) return false;  // not due after all: still armed
    if (errno != ECANCELED) ThrowSystemError("Cannot read a wall-clock timer");
    Arm();
    return true;
}

// The step and the due time come from one reading of the clock, and the kernel cancels the timer at any
// set of the clock after it is armed.
timer_marks::Step WallClockTimer::Arm() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const timer_marks::Step step = timer_marks::NextStep(LocalTimeAt(now), intervalMs_);
    const std::chrono::nanoseconds due =
        std::chrono::seconds{now.tv_sec} + std::chrono::nanoseconds{now.tv_nsec} + step.wait;
    itimerspec arming{};
    arming.it_value.tv_sec = static_cast<time_t>(std::chrono::floor<std::chrono::seconds>(due).count());
    arming.it_value.tv_nsec = static_cast<long>((due % std::chrono::seconds{1}).count());
    if (timerfd_settime(descriptor_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &arming, nullptr) != 0) {
        ThrowSystemError("Cannot arm a wall-clock timer");
    }
    return step;
}

}  // namespace posix
