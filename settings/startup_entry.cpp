#include "settings/startup_entry.h"

#include "framework/param_str.h"
#include "framework/reg_ini_file.h"

void SetStartupEntry(const std::string& name, const std::string& command, bool once) {
    const std::string suffix = once ? "Once" : "";
    TRegIniFile registry("");
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    registry.WriteString("Software\\Microsoft\\Windows\\CurrentVersion\\Run" + suffix, name, command);
}

void ClearStartupEntry(const std::string& name, bool once) { SetStartupEntry(name, "", once); }

void ApplyKeepRunning(bool keepRunning) {
    if (keepRunning) {
        SetStartupEntry(kStartupEntryName, ParamStr(0), true);
    } else {
        ClearStartupEntry(kStartupEntryName, true);
    }
}
