// The settings store: string values under a key of the current user. Each operation opens the key
// (created by a write when missing), does one thing and closes it again, unless a SettingsKeyHold keeps
// the settings key open; registry failures pass to the caller.
#pragma once

#include <string>

#include "settings/setting_names.h"

// The named value's text up to its first NUL, or defaultValue when the key has no such value.
std::string ReadSetting(const std::string& keyPath, const std::string& name, const std::string& defaultValue);
// Stores text with one NUL appended, so the stored data of n characters is n + 2 bytes.
void WriteSetting(const std::string& keyPath, const std::string& name, const std::string& text);
// True when a value was deleted.
bool DeleteSetting(const std::string& keyPath, const std::string& name);
// The settings writes made while it lives are one unit: after an interruption the store holds all of them
// or none. Keep() ends it keeping them, and throws when that fails; leaving it otherwise (an error on the
// way) undoes them. On Windows each write stands alone: there the caller orders the writes so that an
// interruption leaves nothing half-done that matters.
class SettingsUnit {
  public:
    SettingsUnit();
    ~SettingsUnit();
    SettingsUnit(const SettingsUnit&) = delete;
    SettingsUnit& operator=(const SettingsUnit&) = delete;
    void Keep();

  private:
    bool open_ = true;
};

// Keeps the settings key open for one operation (a start's load, a save, a clearing): the reads, writes and
// deletes under SettingsKey meanwhile use that one handle, as a program reads its settings, rather than
// opening the key for each, which costs more than the value's own read; its reads share one registry
// transaction up to a write (BeginRegistryReads). Holds nest: the outermost opens the key, if it is there
// (else the first write creates it), and closes it at its end. Not across a message box: another program may
// delete the key meanwhile, and the registry's other users wait for the hold's end.
class SettingsKeyHold {
  public:
    SettingsKeyHold();
    ~SettingsKeyHold();
    SettingsKeyHold(const SettingsKeyHold&) = delete;
    SettingsKeyHold& operator=(const SettingsKeyHold&) = delete;

  private:
    bool outermost_ = false;
};

// Deletes the stored alarm's values (a missing one does not stop the rest) and clears the start-up entry;
// the defaults and the first-run marker stay.
void ClearSettings();
// Whether a stored boolean reads as set: exactly "true".
bool IsSet(const std::string& text);
