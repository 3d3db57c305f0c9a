#include "settings/settings_store.h"

#include "framework/exceptions.h"
#include "framework/registry.h"
#include "platform/registry_error_text.h"
#include "settings/startup_entry.h"

// Opening a key that is there is no write: only a write creates one that is missing.
std::string ReadSetting(const std::string& keyPath, const std::string& name, const std::string& defaultValue) {
    TRegistry registry;
    if (!registry.OpenExistingKey(keyPath)) return defaultValue;
    return registry.FindString(name).value_or(defaultValue);
}

void WriteSetting(const std::string& keyPath, const std::string& name, const std::string& text) {
    TRegistry registry;
    if (!registry.OpenExistingKey(keyPath)) registry.OpenKey(keyPath, true);
    registry.WriteString(name, text + '\0');
}

bool DeleteSetting(const std::string& keyPath, const std::string& name) {
    TRegistry registry;
    return registry.OpenExistingKey(keyPath) && registry.DeleteValue(name);
}

SettingsUnit::SettingsUnit() {
    const LSTATUS status = BeginRegistryWrites();
    if (status != ERROR_SUCCESS) {
        ERegistryException failure("Cannot save the settings: " + RegistryErrorText(status));
        // A unit that failed to begin still counts until it is ended.
        open_ = false;
        EndRegistryWrites(FALSE);
        throw failure;
    }
}

SettingsUnit::~SettingsUnit() {
    if (open_) EndRegistryWrites(FALSE);
}

void SettingsUnit::Keep() {
    open_ = false;
    const LSTATUS status = EndRegistryWrites(TRUE);
    if (status != ERROR_SUCCESS)
        throw ERegistryException("Cannot save the settings: " + RegistryErrorText(status));
}

// "enabled" goes first: where writes stand alone, an interrupted clearing leaves the alarm disarmed.
void ClearSettings() {
    SettingsUnit unit;
    for (const char* name : setting::kCurrentAlarm) DeleteSetting(SettingsKey, name);
    unit.Keep();
    ClearStartupEntry();
}

bool IsSet(const std::string& text) { return text == setting::kTrue; }
