// The alarm check every ten seconds, the wake-up it keeps for the alarm, the date picker's date, and
// "&Check Alarm".
#include <cstdio>
#include <utility>

#include "alarm/alarm_date.h"
#include "alarm/alarm_moment.h"
#include "app/main_form.h"
#include "framework/date.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"
#include "framework/widgetset.h"

namespace {

LocalMoment LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return ToLocalMoment(now);
}

TAlarmDate DateOf(LocalMoment moment) {
    const SYSTEMTIME time = ToSystemTime(moment);
    return {time.wYear, time.wMonth, time.wDay};
}

std::string MissedAlarmText(LocalMoment moment, const std::string& message) {
    const SYSTEMTIME time = ToSystemTime(moment);
    char when[64];
    std::snprintf(when, sizeof when, "%u:%02u on %s", time.wHour, time.wMinute,
                  DateToIso(TDate{time.wYear, time.wMonth, time.wDay}).c_str());
    std::string text = std::string("The alarm set for ") + when + " did not go off at its time.";
    if (!message.empty()) text += "\r\rIts message: " + message;
    return text;
}

}  // namespace

void TForm1::Timer1Timer(TObject* sender) {
    const LocalMoment now = LocalNow();
    const std::optional<LocalMoment> lastCheck = std::exchange(lastAlarmCheck_, now);
    HoldAlarmWakeUp();
    if (!CheckBox1->Checked() || hour->Text().empty() || min->Text().empty()) return;
    const bool daily = CheckBox8->Checked();
    // A daily alarm's date is today's, on every tick that gets this far.
    if (daily) AlarmDate = DateOf(now);
    const auto timeOfDay = AlarmTimeOfDay(hour->Text(), min->Text());
    if (!timeOfDay) return;
    const std::optional<LocalMoment> moment =
        daily ? LatestDailyMoment(*timeOfDay, now) : OneTimeMoment(AlarmDate, *timeOfDay);
    if (!moment) return;
    switch (JudgeAlarm(*moment, lastCheck, now)) {
        case AlarmCall::Wait:
            return;
        case AlarmCall::Fire:
            // Yesterday's, when the clock passed midnight since: the daily guard counts that day.
            if (daily) AlarmDate = DateOf(*moment);
            DoAlarm(sender);
            return;
        case AlarmCall::Missed:
            // A daily alarm waits for its next day. A one-time alarm is over, as if it had fired,
            // without the sound or the application that would now come hours late; the user is told.
            if (!daily) ReportMissedAlarm(*moment);
            return;
    }
}

void TForm1::ReportMissedAlarm(LocalMoment moment) {
    const std::string text = MissedAlarmText(moment, CheckBox2->Checked() ? message->Text() : "");
    // Disarmed first, so that a check during the box finds nothing to report again.
    ReportErrors([this] { CheckBox1->SetChecked(false); });
    ShowMessage(text);
}

// The system wakes the computer for the alarm's next moment; asked at every check, so that a new time
// zone moves the wake-up with the wall clock.
void TForm1::HoldAlarmWakeUp() {
    const LocalMoment now = LocalNow();
    std::optional<SYSTEMTIME> wakeUp;
    const auto timeOfDay = AlarmTimeOfDay(hour->Text(), min->Text());
    if (CheckBox1->Checked() && timeOfDay) {
        const std::optional<LocalMoment> moment =
            CheckBox8->Checked() ? LatestDailyMoment(*timeOfDay, now) + std::chrono::days{1}
                                 : OneTimeMoment(AlarmDate, *timeOfDay);
        if (moment && *moment > now) wakeUp = ToSystemTime(*moment);
    }
    CurrentWidgetset().HoldWakeUp(wakeUp);
}

void TForm1::datepickChange(TObject*) {
    DecodeDate(datepick->Date(), AlarmDate.Year, AlarmDate.Month, AlarmDate.Day);
}

// Fires at once, as a real alarm would; afterwards a daily alarm may fire again today at its time.
void TForm1::chkalarmbtnClick(TObject* sender) {
    DoAlarm(sender);
    LastAlarmDay = 0;
}
