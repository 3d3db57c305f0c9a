// The ringing alarm's answers other than a click on the icon: the snooze and its end. The tray menu, the
// command line and a desktop notification all come here.
#include "alarm/system_clock.h"
#include "app/main_form.h"
#include "framework/application.h"

bool TForm1::SnoozeAlarm() {
    if (!Ringing()) return false;
    Silence();
    snoozedUntil_ = SystemNow() + kSnoozeTime;
    HoldAlarmWakeUp();
    // The message comes back with the ringing; an answer to it now would acknowledge the alarm.
    if (messageBoxDepth_ != 0) Application->EndMessageBoxes(messageBoxDepth_);
    return true;
}

bool TForm1::StopAlarm() {
    if (!Ringing() && !snoozedUntil_) return false;
    OnOneClick(this);
    return true;
}

void TForm1::OnSnooze(TObject*) { SnoozeAlarm(); }

// Checked by the alarm's wall-clock check, so that a resume or a set clock is heard at once; the wake-up
// held for the snooze brings the computer back for it.
void TForm1::RingAgainWhenSnoozeIsOver() {
    if (!snoozedUntil_ || SystemNow() < *snoozedUntil_) return;
    Problems problems;
    StartRinging(problems);
    ShowAlarmMessage();
    ReportRingingProblems(problems);
}
