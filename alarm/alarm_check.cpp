// The alarm check every ten seconds, the wake-up it keeps for the alarm, the date picker's date, and
// "&Check Alarm".
#include <cstdio>

#include "alarm/alarm_date.h"
#include "alarm/system_clock.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/date.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"

namespace {

std::string MissedAlarmText(Instant moment, const std::string& message) {
    const SYSTEMTIME time = LocalSystemTime(moment);
    char when[64];
    std::snprintf(when, sizeof when, "%u:%02u on %s", time.wHour, time.wMinute,
                  DateToIso(TDate{time.wYear, time.wMonth, time.wDay}).c_str());
    std::string text = std::string("The alarm set for ") + when + " did not go off at its time.";
    if (!message.empty()) text += "\r\rIts message: " + message;
    return text;
}

}  // namespace

void TForm1::Timer1Timer(TObject*) {
    // A notification area that went away took the way back to the hidden window with it.
    KeepWithinReach();
    // A change the store could not take at the alarm is tried again, quietly: it was told once.
    if (storeBehind_) StoreAfterCall(nullptr);
    FollowWindow();
    HoldAlarmWakeUp();
    RingAgainWhenSnoozeIsOver();
    if (!alarm_) return;
    const AlarmCall call = CheckAlarm(*alarm_, SystemNow(), SystemLocalReading);
    if (call.kind == AlarmCall::Wait) return;
    const bool oneTime = !alarm_->daily;
    alarm_ = AfterCall(*alarm_, call);
    if (call.kind == AlarmCall::Ring) {
        DoAlarm(true);
    } else if (oneTime) {
        ReportMissedAlarm(call.moment);
    } else {
        // A daily alarm waits for its next day; the day missed is stored as done.
        HoldAlarmWakeUp();
        Problems problems;
        StoreAfterCall(&problems);
        problems.Report();
    }
}

// A one-time alarm passed unseen is over, as if it had rung, without the sound or the application that
// would now come hours late; the user is told.
void TForm1::ReportMissedAlarm(Instant moment) {
    const std::string text = MissedAlarmText(moment, CheckBox2->Checked() ? message->Text() : "");
    ShowAlarmOver();
    HoldAlarmWakeUp();
    Problems problems;
    StoreAfterCall(&problems);
    problems.Report();
    ShowMessage(text);
}

// The system wakes the computer at the instant the alarm next rings, or a snooze's end when that comes
// first; asked at every check, so that a new time zone moves the wake-up with the wall clock.
void TForm1::HoldAlarmWakeUp() {
    std::optional<Instant> moment = snoozedUntil_;
    if (alarm_) {
        if (const auto next = NextMoment(*alarm_, SystemNow(), SystemLocalReading)) {
            if (!moment || *next < *moment) moment = next;
        }
    }
    Application->HoldWakeUp(moment);
}

void TForm1::datepickChange(TObject*) {
    DecodeDate(datepick->Date(), AlarmDate.Year, AlarmDate.Month, AlarmDate.Day);
}

// Rings at once, as a real alarm would: a one-time alarm is then over, and a daily one still rings at its
// time today.
void TForm1::chkalarmbtnClick(TObject*) {
    const bool over = CheckBox1->Checked() && !CheckBox8->Checked();
    if (over) alarm_.reset();
    DoAlarm(over);
}
