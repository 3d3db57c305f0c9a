// The ringing alarm told on the desktop as a notice with the answers of the tray, for a user who does not
// watch the tray or whose desktop has none.
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/widgetset/widgetset.h"

void TForm1::ShowAlarmNotice() {
    widgetset::AlarmNotice notice;
    notice.title = Application->Title();
    if (CheckBox2->Checked()) notice.text = message->Text();
    notice.window = qzTray1->NotifyData().hWnd;
    notice.id = qzTray1->TrayId();
    // The tray menu's snooze, and the click on the flashing icon.
    notice.answers = {{"Snooze", [this] { SnoozeAlarm(); }}, {"Stop", [this] { StopAlarm(); }}};
    Application->ShowAlarmNotice(notice);
}
