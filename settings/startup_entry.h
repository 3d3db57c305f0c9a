// The start-up entry: the program's command under the machine-wide Run or RunOnce key, which restarts it
// at the next start of the system so that a pending alarm survives a reboot.
#pragma once

#include <string>

inline const std::string kStartupEntryName = "alarmclock";

// Writes command as the named value of RunOnce (once) or Run, creating the key when it is missing.
void SetStartupEntry(const std::string& name, const std::string& command, bool once);
// Writes the empty text in its place; the value itself stays.
void ClearStartupEntry(const std::string& name, bool once);
// What ticking or unticking "Keep Running" does: the program's own path as the entry, or the entry cleared.
void ApplyKeepRunning(bool keepRunning);
