#include "settings/startup_entry.h"

#include "framework/exceptions.h"
#include "framework/param_str.h"
#include "framework/reg_ini_file.h"

namespace {

// An entry an earlier version left under the machine's RunOnce key would start the program a second time
// and, on Windows, hold an administrator's logon until the alarm. Whoever may not change that key (a
// standard user under UAC) cannot mend it, and the system deletes it at its next run anyway, so a failure
// here is not the user's to hear about.
void ForgetMachineWideEntry() {
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!machine.KeyExists(kMachineRunOnceKey)) return;  // the usual case: nothing was ever kept there
    try {
        machine.OpenKey(kMachineRunOnceKey, false);
        machine.DeleteValue(kStartupEntryName);
    } catch (const ERegistryException&) {
    }
}

}  // namespace

std::string StartupCommand(const std::string& program) {
    if (program.find('"') != std::string::npos) return program;
    return '"' + program + '"';
}

void SetStartupEntry(const std::string& command) {
    ForgetMachineWideEntry();
    TRegIniFile(kStartupKey).WriteString("", kStartupEntryName, command);
}

void ClearStartupEntry() {
    ForgetMachineWideEntry();
    TRegIniFile(kStartupKey).DeleteValue(kStartupEntryName);
}

void ApplyKeepRunning(bool keepRunning) {
    if (keepRunning) {
        SetStartupEntry(StartupCommand(ParamStr(0)));
    } else {
        ClearStartupEntry();
    }
}
