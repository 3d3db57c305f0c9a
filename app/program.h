// The program's entry on the application object: its title, the main form created hidden, and the message
// loop until the main form closes.
#pragma once

// The name of the program's one running instance in a user session; the uninstaller finds it by this name.
inline constexpr char kInstanceName[] = "alarmclock";

void RunAlarmClock();
