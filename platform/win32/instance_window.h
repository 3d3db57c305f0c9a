// The running program's message-only window as other processes find it (instance_claim.h): a later start
// knocks on it, and the uninstaller asks the program through it to end. Names only, which the installer's
// custom action shares.
#pragma once

#include <string>

namespace win32backend {

// The window of the running instance called name (as TApplication::ClaimSingleInstance names it).
inline std::string InstanceWindowName(const std::string& name) { return name + ".instance"; }
// Registered window messages: another start of the program; the request to end, as "Exit Program" ends it
// but leaving the settings as they are.
inline const std::string kAnotherStartMessage = "alarmclock.another-start";
inline const std::string kEndMessage = "alarmclock.end";

}  // namespace win32backend
