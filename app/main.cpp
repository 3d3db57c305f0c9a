// The alarm clock on a desktop: the settings window and its tray icon until the window closes.
#include "app/program.h"
#include "framework/application.h"
#include "tray/msg_cmp_list.h"

int main() {
    qzMsgCmpUnit hooks;  // before the first component, gone after the last window
    auto application = MakeComponent<TApplication>(nullptr);
    RunAlarmClock();
    return 0;
}
