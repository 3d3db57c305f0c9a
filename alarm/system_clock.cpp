#include "alarm/system_clock.h"

using namespace std::chrono;

namespace {

// A SYSTEMTIME's parts as a count since the epoch; the weekday and milliseconds play no part.
seconds SinceEpoch(const SYSTEMTIME& time) {
    return (ToLocalDay(time.wYear, time.wMonth, time.wDay) + hours{time.wHour} + minutes{time.wMinute} +
            seconds{time.wSecond})
        .time_since_epoch();
}

}  // namespace

Instant SystemNow() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return Instant{SinceEpoch(now)};
}

SYSTEMTIME LocalSystemTime(Instant instant) {
    const SYSTEMTIME universal = ToSystemTime(LocalReading{instant.time_since_epoch()});
    SYSTEMTIME local{};
    // Without a zone the universal time stands, as the system itself would read it.
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) return universal;
    return local;
}

LocalReading SystemLocalReading(Instant instant) { return LocalReading{SinceEpoch(LocalSystemTime(instant))}; }

SYSTEMTIME ToSystemTime(LocalReading reading) { return ToSystemTime(local_time<milliseconds>{reading}); }

LocalDay ToLocalDay(WORD year, WORD month, WORD day) {
    return LocalDay{year_month_day{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}}};
}

TDate ToTDate(LocalDay day) {
    const year_month_day parts{day};
    return {static_cast<WORD>(static_cast<int>(parts.year())), static_cast<WORD>(unsigned{parts.month()}),
            static_cast<WORD>(unsigned{parts.day()})};
}
