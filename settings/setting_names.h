// Every value the program keeps under its settings key, in one place.
#pragma once

#include <array>
#include <string>

// The key under the current user's root that holds every setting as a string value.
inline const std::string SettingsKey = "Software\\Vyk\\AlarmClock";

namespace setting {

// The stored alarm.
inline constexpr const char* kEnabled = "enabled";
inline constexpr const char* kHour = "hour";
inline constexpr const char* kMinute = "min";
inline constexpr const char* kYear = "year";
inline constexpr const char* kMonth = "month";
inline constexpr const char* kDay = "day";
inline constexpr const char* kMessage = "message";
inline constexpr const char* kKeepRunning = "keeprunning";
inline constexpr const char* kSound = "sound";
inline constexpr const char* kRunApp = "runapp";
inline constexpr const char* kCloseAfter = "closeafter";
inline constexpr const char* kDaily = "daily";
// A daily alarm's last day whose moment is behind it (ISO 8601, "2026-07-05"), so that it rings once a
// day also across starts.
inline constexpr const char* kLastDay = "lastday";

// In the order in which clearing deletes them.
inline constexpr std::array<const char*, 13> kCurrentAlarm = {
    kEnabled,     kHour,  kMinute, kYear,       kMonth, kDay,    kMessage,
    kKeepRunning, kSound, kRunApp, kCloseAfter, kDaily, kLastDay};

// The defaults that "Set Defaults" stores; clearing the alarm never touches them.
inline constexpr const char* kDefaultHour = "defhour";
inline constexpr const char* kDefaultMinute = "defmin";
inline constexpr const char* kDefaultMessage = "defmessage";
inline constexpr const char* kDefaultRunApp = "defrunapp";
inline constexpr const char* kDefaultKeepRunning = "defkeeprunning";
inline constexpr const char* kDefaultDaily = "defdaily";
inline constexpr const char* kDefaultSound = "defsound";
inline constexpr const char* kDefaultCloseAfter = "defcloseafter";

// The first-run marker: "false" (or absent) until the welcome text was shown.
inline constexpr const char* kIntro = "intro";

// How a boolean reads as set: exactly this text, nothing else.
inline constexpr const char* kTrue = "true";

}  // namespace setting
