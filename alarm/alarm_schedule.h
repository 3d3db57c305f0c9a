// The armed alarm as one value, and the two rules that everything about its time follows: when it next
// rings, and what a check at a given instant does about it. A moment on the local clock becomes an instant
// once, through the time zone in force: a local time that the clock skips (summer time beginning) rings at
// the first instant after the skip, a repeated hour rings once, at its first pass. Lateness is time that
// really passed. The zone is asked again at every use, so a change of time zone while the program runs
// moves the alarm with the local clock.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

// Universal time, to the second.
using Instant = std::chrono::sys_seconds;
// A reading of the local wall clock, to the second.
using LocalReading = std::chrono::local_seconds;
using LocalDay = std::chrono::local_days;

// The local clock's reading at an instant: the time zone in force, with its summer time.
using LocalClock = std::function<LocalReading(Instant)>;

// How late a passed alarm still rings: a machine just waking, a program just starting.
constexpr std::chrono::minutes kLateAlarmGrace{5};
// How long a snooze lasts, how long a ringing alarm sounds unanswered, and how long its sound takes to come
// up to full volume.
constexpr std::chrono::minutes kSnoozeTime{10};
constexpr std::chrono::minutes kRingingSound{15};
constexpr std::chrono::seconds kSoundFadeIn{20};

struct ArmedAlarm {
    std::chrono::minutes timeOfDay{0};
    bool daily = false;
    // A one-time alarm's day.
    LocalDay date{};
    // A daily alarm's last day whose moment is behind it: the day it rang, or was missed, or the day of
    // the latest moment already past when it was armed. It rings on later days only.
    LocalDay lastDay{};
    bool operator==(const ArmedAlarm&) const = default;
};

// The time of day that the hour and minute texts name (blanks, an optional sign, decimal digits); nothing
// when they name none, such as an hour of 24 or a text.
std::optional<std::chrono::minutes> AlarmTimeOfDay(const std::string& hourText, const std::string& minuteText);

// The first instant whose local reading is this one or, where the clock skips it, the first after it.
Instant InstantOf(LocalReading reading, const LocalClock& clock);
LocalDay DayAt(Instant instant, const LocalClock& clock);

// Why the user's alarm cannot be armed.
enum class ArmRefusal { NoTimeOfDay, AlreadyPast };

// The alarm the user sets now: a one-time alarm only while its moment is still ahead; a daily one rings
// from its next moment on.
struct ArmResult {
    std::optional<ArmedAlarm> alarm;
    std::optional<ArmRefusal> refusal;
};
ArmResult ArmAlarm(std::optional<std::chrono::minutes> timeOfDay, bool daily, LocalDay date, Instant now,
                   const LocalClock& clock);
// The day of the next moment of that time of day: today while it is still ahead, else tomorrow.
LocalDay NextOccurrence(std::chrono::minutes timeOfDay, Instant now, const LocalClock& clock);

// The alarm's next moment after now, nothing for a one-time alarm whose moment is behind.
std::optional<Instant> NextMoment(const ArmedAlarm& alarm, Instant now, const LocalClock& clock);

struct AlarmCall {
    enum Kind {
        Wait,
        Ring,
        Missed,  // passed unseen, longer ago than the grace
    } kind = Wait;
    Instant moment{};  // of Ring and Missed
    LocalDay day{};    // the day of that moment
};
// What a check at now does.
AlarmCall CheckAlarm(const ArmedAlarm& alarm, Instant now, const LocalClock& clock);
// The alarm after the call: a one-time alarm that rang or was missed is over; a daily one is done for that
// day.
std::optional<ArmedAlarm> AfterCall(const ArmedAlarm& alarm, const AlarmCall& call);
