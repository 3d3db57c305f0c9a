#include "alarm/alarm_moment.h"

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

}  // namespace

LocalMoment ToLocalMoment(const SYSTEMTIME& time) {
    const local_days day{year{time.wYear} / month{time.wMonth} / std::chrono::day{time.wDay}};
    return day + hours{time.wHour} + minutes{time.wMinute} + seconds{time.wSecond};
}

std::optional<minutes> AlarmTimeOfDay(const std::string& hourText, const std::string& minuteText) {
    const auto hour = WholeNumber(hourText);
    const auto minute = WholeNumber(minuteText);
    if (!hour || !minute || *hour < 0 || *hour > 23 || *minute < 0 || *minute > 59) return std::nullopt;
    return hours{*hour} + minutes{*minute};
}

std::optional<LocalMoment> OneTimeMoment(const TAlarmDate& date, minutes timeOfDay) {
    const year_month_day day{year{date.Year}, month{date.Month}, std::chrono::day{date.Day}};
    if (!day.ok()) return std::nullopt;
    return local_days{day} + timeOfDay;
}

LocalMoment LatestDailyMoment(minutes timeOfDay, LocalMoment now) {
    const LocalMoment today = floor<days>(now) + timeOfDay;
    return today <= now ? today : today - days{1};
}

AlarmCall JudgeAlarm(LocalMoment moment, std::optional<LocalMoment> lastCheck, LocalMoment now) {
    if (now < moment) return AlarmCall::Wait;
    if (now < moment + minutes{1}) return AlarmCall::Fire;
    if (lastCheck && *lastCheck >= moment) return AlarmCall::Wait;
    return now - moment <= kLateAlarmGrace ? AlarmCall::Fire : AlarmCall::Missed;
}
