// The alarm's moment on the local wall clock, and when a check fires it: in its minute, as always, and
// also when the clock passed it since the check before (the machine slept, the clock was set, the program
// was not running) by no more than a few minutes. Later than that the alarm was missed.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "alarm/alarm_date.h"
#include "framework/date.h"
#include "platform/api.h"

// A reading of the local wall clock, to the second.
using LocalMoment = std::chrono::local_seconds;

// How late a passed alarm still rings: a machine just waking, a program just starting.
constexpr std::chrono::minutes kLateAlarmGrace{5};

// Back to a SYSTEMTIME with ToSystemTime (framework/date.h).
LocalMoment ToLocalMoment(const SYSTEMTIME& time);

// The time of day that the hour and minute texts name (blanks, an optional sign, decimal digits); nothing
// when they name none, such as an hour of 24 or a text.
std::optional<std::chrono::minutes> AlarmTimeOfDay(const std::string& hourText, const std::string& minuteText);

// The moment of a one-time alarm on that date; nothing for a date that does not exist (none set yet).
std::optional<LocalMoment> OneTimeMoment(const TAlarmDate& date, std::chrono::minutes timeOfDay);
// A daily alarm's latest moment at or before now (yesterday's, before today's has come).
LocalMoment LatestDailyMoment(std::chrono::minutes timeOfDay, LocalMoment now);

enum class AlarmCall {
    Wait,
    Fire,
    Missed,  // passed unseen, longer ago than the grace
};

// What the check at now does about the alarm's moment; lastCheck is the check before, nothing at the
// program's start. A moment that the check before had already passed was decided then.
AlarmCall JudgeAlarm(LocalMoment moment, std::optional<LocalMoment> lastCheck, LocalMoment now);
