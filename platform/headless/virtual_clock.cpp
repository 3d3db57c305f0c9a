#include "platform/headless/virtual_clock.h"

#include <stdlib.h>
#include <time.h>

#include <stdexcept>

#include "framework/date.h"

namespace headless {

using namespace std::chrono;

namespace {

// The C library reads the zone from TZ; it is set only when another zone is asked for.
void UseZone(const std::string& zone) {
    static std::string inForce;
    if (zone == inForce) return;
    setenv("TZ", zone.c_str(), 1);
    tzset();
    inForce = zone;
}

}  // namespace

tm VirtualClock::LocalParts(sys_seconds instant) const {
    const long long second = instant.time_since_epoch().count();
    // Fibonacci hashing: neighbouring instants, often ten seconds apart, spread over the slots.
    Remembered& slot = remembered_[(static_cast<unsigned long long>(second) * 0x9E3779B97F4A7C15ULL) >> 58];
    if (slot.second != second) {
        UseZone(zone_);
        const time_t seconds = second;
        slot.parts = {};
        localtime_r(&seconds, &slot.parts);
        slot.second = second;
    }
    return slot.parts;
}

local_seconds VirtualClock::LocalReading(sys_seconds instant) const {
    return local_seconds{instant.time_since_epoch() + seconds{LocalParts(instant).tm_gmtoff}};
}

void VirtualClock::SetLocalTime(int year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                                unsigned second) {
    const year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        throw std::invalid_argument("VirtualClock::SetLocalTime: no such local time");
    }
    const local_seconds reading = local_days{date} + hours{hour} + minutes{minute} + seconds{second};
    // The zone's offsets a day either side give the instants that can read so; the earlier one that does.
    const sys_seconds guess{reading.time_since_epoch()};
    sys_seconds first = sys_seconds::max();
    for (const sys_seconds near : {guess - days{1}, guess + days{1}}) {
        const sys_seconds candidate = guess - (LocalReading(near).time_since_epoch() - near.time_since_epoch());
        if (LocalReading(candidate) == reading && candidate < first) first = candidate;
    }
    if (first == sys_seconds::max())
        throw std::invalid_argument("VirtualClock::SetLocalTime: the zone skips it");
    Set(first);
}

// From the parts that the C library gives: the clock is read at every check, and converting the reading
// again would cost as much as finding it.
SYSTEMTIME VirtualClock::LocalTimeAt(VirtualTime time) const {
    const sys_seconds whole = floor<seconds>(time);
    const tm parts = LocalParts(whole);
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(parts.tm_year + 1900);
    local.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    local.wDay = static_cast<WORD>(parts.tm_mday);
    local.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    local.wHour = static_cast<WORD>(parts.tm_hour);
    local.wMinute = static_cast<WORD>(parts.tm_min);
    local.wSecond = static_cast<WORD>(parts.tm_sec);
    local.wMilliseconds = static_cast<WORD>((time - whole).count());
    return local;
}

SYSTEMTIME VirtualClock::UniversalTime() const {
    return ToSystemTime(local_time<milliseconds>{now_.time_since_epoch()});
}

}  // namespace headless
