#include "tools/wake/realtime_alarm_timer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

RealtimeAlarmTimer::RealtimeAlarmTimer() : timer_(timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC)) {
    if (timer_ >= 0) return;
    if (errno == EPERM)
        throw std::runtime_error(
            "the wake-up helper lacks the capability cap_wake_alarm, which a timer that wakes the computer "
            "needs (the package grants it at installation; a copy built or installed by hand has none)");
    throw std::runtime_error(std::string("cannot set a timer that wakes the computer: ") +
                             std::strerror(errno));
}

RealtimeAlarmTimer::~RealtimeAlarmTimer() { close(timer_); }

void RealtimeAlarmTimer::Hold(std::optional<std::time_t> moment) {
    if (!moment) return Release();
    itimerspec setting{};
    setting.it_value.tv_sec = *moment;
    if (timerfd_settime(timer_, TFD_TIMER_ABSTIME, &setting, nullptr) != 0)
        throw std::runtime_error("cannot wake the computer at " + std::to_string(*moment) + ": " +
                                 std::strerror(errno));
}

// A disarmed alarm timer reads back as still holding its old moment (timerfd_gettime, Linux 6.18), so a
// fresh timer takes its place: it holds none and reads back so. Disarmed only where none can be had.
void RealtimeAlarmTimer::Release() {
    const int fresh = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
    if (fresh < 0) {
        const itimerspec none{};
        timerfd_settime(timer_, TFD_TIMER_ABSTIME, &none, nullptr);
        return;
    }
    close(timer_);
    timer_ = fresh;
}

// The timer tells how long is left; the moment is that much after now, to within the instant between the
// two readings, which rounding to the second removes.
std::optional<std::time_t> RealtimeAlarmTimer::Held() const {
    itimerspec left{};
    timespec now{};
    if (timerfd_gettime(timer_, &left) != 0 || clock_gettime(CLOCK_REALTIME, &now) != 0)
        throw std::runtime_error(std::string("cannot read the wake-up timer: ") + std::strerror(errno));
    if (left.it_value.tv_sec == 0 && left.it_value.tv_nsec == 0) return std::nullopt;
    constexpr long kHalfSecond = 500'000'000;
    return now.tv_sec + left.it_value.tv_sec +
           (now.tv_nsec + left.it_value.tv_nsec + kHalfSecond) / 1'000'000'000;
}

// The alarm clocks' resolution is known only where a real-time clock can wake the computer.
std::optional<std::string> MissingWakeClock() {
    timespec resolution{};
    if (clock_getres(CLOCK_REALTIME_ALARM, &resolution) == 0) return std::nullopt;
    return std::string("this computer has no real-time clock that can wake it (") + std::strerror(errno) + ")";
}
