// Carrying an alarm out: the flashing and the sound first, then the store, the message, the application,
// and last what went wrong. The ringing never waits on the store.
#include "alarm/run_command.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/problems.h"
#include "settings/startup_entry.h"

#include <utility>

void TForm1::DoAlarm(bool alarmChanged) {
    Problems problems;
    StartRinging(problems);
    if (alarmChanged) {
        if (!alarm_) ShowAlarmOver();
        HoldAlarmWakeUp();
        StoreAfterCall(&problems);
    } else if (!CheckBox8->Checked()) {
        // A test without a daily alarm: the start-up entry is cleared, as after a one-time alarm.
        problems.Try([] { ClearStartupEntry(); });
    }
    ShowAlarmMessage();
    if (CheckBox5->Checked()) {
        const RunCommand command = SplitRunCommand(runapp->Text());
        ShellExecuteReportingA(nullptr, "Open", command.file.c_str(), command.parameters.c_str(), "", SW_SHOW);
    }
    ReportRingingProblems(problems);
}

// A ringing begun anew is no longer snoozed.
void TForm1::StartRinging(Problems& problems) {
    if (snoozedUntil_) {
        snoozedUntil_.reset();
        HoldAlarmWakeUp();
    }
    TrayTimer->SetEnabled(true);
    StartAlarmSound(problems);
}

void TForm1::ShowAlarmMessage() {
    ShowAlarmNotice();
    // Without a tray the box is where the alarm is answered: it shows also without a message.
    if (!CheckBox2->Checked() && Application->NotificationAreaAvailable()) return;
    const std::size_t outerBox = std::exchange(messageBoxDepth_, Application->OpenMessageBoxes() + 1);
    ShowMessage(AlarmMessage());
    messageBoxDepth_ = outerBox;
    // Closing the message acknowledges the alarm; a snooze closed it without.
    if (Ringing()) Acknowledge();
}

void TForm1::ReportRingingProblems(Problems& problems) {
    if (problems.None()) return;
    problems.Report();
    if (Ringing()) Acknowledge();  // so does closing the box that says what went wrong
}

std::string TForm1::AlarmMessage() const {
    return CheckBox2->Checked() ? message->Text() : Application->Title();
}
