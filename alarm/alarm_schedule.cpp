#include "alarm/alarm_schedule.h"

#include <algorithm>
#include <charconv>

using namespace std::chrono;

namespace {

// A whole number in the way a field holds one: blanks, an optional sign, decimal digits, nothing after.
std::optional<long long> WholeNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data() + at, end, value);
    if (at == text.size() || error != std::errc{} || stop != end) return std::nullopt;
    return negative ? -value : value;
}

seconds OffsetAt(Instant instant, const LocalClock& clock) {
    return clock(instant).time_since_epoch() - instant.time_since_epoch();
}

Instant MomentOn(LocalDay day, minutes timeOfDay, const LocalClock& clock) {
    return InstantOf(day + timeOfDay, clock);
}

// The day of that time of day's latest moment at or before now.
LocalDay LatestDay(minutes timeOfDay, Instant now, const LocalClock& clock) {
    LocalDay day = DayAt(now, clock);
    while (MomentOn(day, timeOfDay, clock) > now) day -= days{1};
    return day;
}

}  // namespace

std::optional<minutes> AlarmTimeOfDay(const std::string& hourText, const std::string& minuteText) {
    const auto hour = WholeNumber(hourText);
    const auto minute = WholeNumber(minuteText);
    if (!hour || !minute || *hour < 0 || *hour > 23 || *minute < 0 || *minute > 59) return std::nullopt;
    return hours{*hour} + minutes{*minute};
}

Instant InstantOf(LocalReading reading, const LocalClock& clock) {
    // The instants that can read so lie where the zone's offsets a day either side put them; the earlier
    // that does read so is the first pass of a repeated hour.
    const Instant guess{reading.time_since_epoch()};
    const Instant a = guess - OffsetAt(guess - days{1}, clock);
    const Instant b = guess - OffsetAt(guess + days{1}, clock);
    Instant early = std::min(a, b);
    Instant late = std::max(a, b);
    if (clock(early) == reading) return early;
    if (clock(late) == reading) return late;
    // Skipped: the clock jumps over the reading somewhere between the two; the first instant after the jump.
    while (late - early > seconds{1}) {
        const Instant middle = early + (late - early) / 2;
        (clock(middle) >= reading ? late : early) = middle;
    }
    return late;
}

LocalDay DayAt(Instant instant, const LocalClock& clock) { return floor<days>(clock(instant)); }

ArmResult ArmAlarm(std::optional<minutes> timeOfDay, bool daily, LocalDay date, Instant now,
                   const LocalClock& clock) {
    if (!timeOfDay) return {std::nullopt, ArmRefusal::NoTimeOfDay};
    ArmedAlarm alarm{*timeOfDay, daily, date, {}};
    if (daily) {
        alarm.lastDay = LatestDay(*timeOfDay, now, clock);
    } else if (MomentOn(date, *timeOfDay, clock) <= now) {
        return {std::nullopt, ArmRefusal::AlreadyPast};
    }
    return {alarm, std::nullopt};
}

LocalDay NextOccurrence(minutes timeOfDay, Instant now, const LocalClock& clock) {
    return LatestDay(timeOfDay, now, clock) + days{1};
}

std::optional<Instant> NextMoment(const ArmedAlarm& alarm, Instant now, const LocalClock& clock) {
    if (!alarm.daily) {
        const Instant moment = MomentOn(alarm.date, alarm.timeOfDay, clock);
        if (moment > now) return moment;
        return std::nullopt;
    }
    LocalDay day = std::max(alarm.lastDay + days{1}, LatestDay(alarm.timeOfDay, now, clock) + days{1});
    return MomentOn(day, alarm.timeOfDay, clock);
}

AlarmCall CheckAlarm(const ArmedAlarm& alarm, Instant now, const LocalClock& clock) {
    const LocalDay day = alarm.daily ? LatestDay(alarm.timeOfDay, now, clock) : alarm.date;
    if (alarm.daily && day <= alarm.lastDay) return {};
    const Instant moment = MomentOn(day, alarm.timeOfDay, clock);
    if (now < moment) return {};
    return {now - moment <= kLateAlarmGrace ? AlarmCall::Ring : AlarmCall::Missed, moment, day};
}

std::optional<ArmedAlarm> AfterCall(const ArmedAlarm& alarm, const AlarmCall& call) {
    if (call.kind == AlarmCall::Wait) return alarm;
    if (!alarm.daily) return std::nullopt;
    ArmedAlarm done = alarm;
    done.lastDay = call.day;
    return done;
}
