// The program's entry on the application object: its title, the main form created hidden, and the message
// loop until the main form closes; and the commands a later start's command line sends it.
#pragma once

#include <string>

#include "framework/widgetset/widgetset.h"

// The name of the program's one running instance in a user session; the uninstaller finds it by this name.
inline constexpr char kInstanceName[] = "alarmclock";

void RunAlarmClock();

// The running program's answer to a command (app/command_line.h): the alarm's state, or the ringing alarm
// snoozed or stopped (TForm1::SnoozeAlarm, TForm1::StopAlarm).
widgetset::InstanceAnswer AnswerCommand(const std::string& command);
// A start with a command: it asks the running program, prints the answer (on standard error when it is a
// failure) and returns the exit status, 1 when no program runs.
int AskRunningProgram(const std::string& command);
