// The local time from the system clock, for the desktop back ends.
#include "platform/posix/clock/real_local_time.h"

namespace posix {

SYSTEMTIME LocalTimeAt(const timespec& moment) {
    tm local{};
    localtime_r(&moment.tv_sec, &local);
    return {static_cast<WORD>(local.tm_year + 1900), static_cast<WORD>(local.tm_mon + 1),
            static_cast<WORD>(local.tm_wday),        static_cast<WORD>(local.tm_mday),
            static_cast<WORD>(local.tm_hour),        static_cast<WORD>(local.tm_min),
            static_cast<WORD>(local.tm_sec),         static_cast<WORD>(moment.tv_nsec / 1'000'000)};
}

}  // namespace posix

void WINAPI GetLocalTime(SYSTEMTIME* time) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    *time = posix::LocalTimeAt(now);
}

void WINAPI GetSystemTime(SYSTEMTIME* time) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm universal{};
    gmtime_r(&now.tv_sec, &universal);
    *time = {static_cast<WORD>(universal.tm_year + 1900), static_cast<WORD>(universal.tm_mon + 1),
             static_cast<WORD>(universal.tm_wday),        static_cast<WORD>(universal.tm_mday),
             static_cast<WORD>(universal.tm_hour),        static_cast<WORD>(universal.tm_min),
             static_cast<WORD>(universal.tm_sec),         static_cast<WORD>(now.tv_nsec / 1'000'000)};
}
