// The start-up entry: the program's command under the user's Run key, which starts it at the user's next
// logon so that a pending alarm survives a restart. The user may write that key without elevation, and
// the system starts its commands without holding the logon until they end.
#pragma once

#include <string>

inline const std::string kStartupEntryName = "alarmclock";
inline const std::string kStartupKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where earlier versions kept the entry, under the machine's root.
inline const std::string kMachineRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The command that starts program: its path in quotes, or Windows would take the words before a space for
// the program ("...\Alarm Clock\alarmclock.exe" first tries "...\Alarm.exe"). A path that holds a quote
// itself (only outside Windows) cannot be quoted so and stays whole, which the start-up runner there takes
// as it is when it names an executable.
std::string StartupCommand(const std::string& program);
// Writes command as the entry, creating the key when it is missing.
void SetStartupEntry(const std::string& command);
// Deletes the entry; none is no failure.
void ClearStartupEntry();
// What ticking or unticking "Keep Running" does: the command of the program's own path as the entry, or
// the entry cleared.
void ApplyKeepRunning(bool keepRunning);
