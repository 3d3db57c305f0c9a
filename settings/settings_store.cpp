#include "settings/settings_store.h"

#include "framework/reg_ini_file.h"
#include "settings/startup_entry.h"

std::string ReadSetting(const std::string& keyPath, const std::string& name, const std::string& defaultValue) {
    TRegIniFile registry(keyPath);
    return registry.ReadString("", name, defaultValue);
}

void WriteSetting(const std::string& keyPath, const std::string& name, const std::string& text) {
    TRegIniFile registry(keyPath);
    registry.WriteString("", name, text + '\0');
}

bool DeleteSetting(const std::string& keyPath, const std::string& name) {
    TRegIniFile registry(keyPath);
    return registry.DeleteValue(name);
}

void ClearSettings() {
    for (const char* name : setting::kCurrentAlarm) DeleteSetting(SettingsKey, name);
    ClearStartupEntry();
}

bool IsSet(const std::string& text) { return text == setting::kTrue; }
