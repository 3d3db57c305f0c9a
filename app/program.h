// The program's entry on the application object: its title, the main form created hidden, and the message
// loop until the main form closes.
#pragma once

void RunAlarmClock();
