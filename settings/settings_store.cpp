#include "settings/settings_store.h"

#include <optional>

#include "framework/exceptions.h"
#include "framework/registry.h"
#include "platform/registry_error_text.h"
#include "settings/startup_entry.h"

namespace {

// The settings key of the outermost SettingsKeyHold, open or not; none outside a hold.
thread_local std::optional<TRegistry> heldKey;

// The held key when keyPath is the settings key and a hold has it open.
TRegistry* HeldOpen(const std::string& keyPath) {
    return heldKey && heldKey->CurrentKey() != nullptr && keyPath == SettingsKey ? &*heldKey : nullptr;
}

}  // namespace

// Opening a key that is there is no write: only a write creates one that is missing.
std::string ReadSetting(const std::string& keyPath, const std::string& name, const std::string& defaultValue) {
    if (TRegistry* held = HeldOpen(keyPath)) return held->FindString(name).value_or(defaultValue);
    TRegistry registry;
    if (!registry.OpenExistingKey(keyPath)) return defaultValue;
    return registry.FindString(name).value_or(defaultValue);
}

void WriteSetting(const std::string& keyPath, const std::string& name, const std::string& text) {
    // A hold that found no key keeps the one that this write creates.
    TRegistry local;
    TRegistry& registry = heldKey && keyPath == SettingsKey ? *heldKey : local;
    if (registry.CurrentKey() == nullptr && !registry.OpenExistingKey(keyPath)) registry.OpenKey(keyPath, true);
    registry.WriteString(name, text + '\0');
}

bool DeleteSetting(const std::string& keyPath, const std::string& name) {
    if (TRegistry* held = HeldOpen(keyPath)) return held->DeleteValue(name);
    TRegistry registry;
    return registry.OpenExistingKey(keyPath) && registry.DeleteValue(name);
}

SettingsKeyHold::SettingsKeyHold() {
    if (heldKey) return;
    BeginRegistryReads();
    heldKey.emplace();
    outermost_ = true;
    try {
        heldKey->OpenExistingKey(SettingsKey);
    } catch (const ERegistryException&) {
        // Left to each use, which opens the key itself and reports the failure as it would without a hold.
    }
}

SettingsKeyHold::~SettingsKeyHold() {
    if (!outermost_) return;
    heldKey.reset();
    EndRegistryReads();
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
    const SettingsKeyHold held;
    SettingsUnit unit;
    for (const char* name : setting::kCurrentAlarm) DeleteSetting(SettingsKey, name);
    unit.Keep();
    ClearStartupEntry();
}

bool IsSet(const std::string& text) { return text == setting::kTrue; }
