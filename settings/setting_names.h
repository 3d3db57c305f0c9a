// Every value the program keeps under its settings key, in one place.
#pragma once

#include <array>
#include <string>

// The key under the current user's root that holds every setting as a string value.
inline const std::string SettingsKey = "Software\\Vyk\\AlarmClock";

namespace setting {

// The stored alarm, in the order in which clearing deletes it.
inline constexpr std::array<const char*, 12> kCurrentAlarm = {"enabled", "hour",   "min",        "year",
                                                              "month",   "day",    "message",    "keeprunning",
                                                              "sound",   "runapp", "closeafter", "daily"};

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
