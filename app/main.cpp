// The alarm clock on a desktop: the settings window and its tray icon until the window closes.
#include "app/program.h"
#include "framework/application.h"
#include "tray/msg_cmp_list.h"

int main() {
    qzMsgCmpUnit hooks;  // before the first component, gone after the last window
    auto application = MakeComponent<TApplication>(nullptr);
    // A second start (the login's start-up entry and a start by hand, say) must not arm a second copy of
    // the alarm: the running program shows its window instead.
    if (!Application->ClaimSingleInstance("alarmclock")) return 0;
    RunAlarmClock();
    return 0;
}
