// Carrying an alarm out: the flashing and the sound first, then the store, the message, the application,
// and last what went wrong. The ringing never waits on the store.
#include "alarm/run_command.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/problems.h"
#include "framework/widgetset.h"
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

// A ringing begun anew is no longer snoozed; its sound ends by itself after kRingingSound.
void TForm1::StartRinging(Problems& problems) {
    if (snoozedUntil_) {
        snoozedUntil_.reset();
        HoldAlarmWakeUp();
    }
    TrayTimer->SetEnabled(true);
    SoundTimer->SetEnabled(false);
    SoundTimer->SetEnabled(true);
    if (!CheckBox3->Checked()) return;
    problems.Try([this] {
        try {
            MediaPlayer1->SetNotify(true);
            // Closed when its last opening failed (the file gone, say, or not there yet at the start):
            // tried again, so that the file plays if it is back, or the report says what is wrong now.
            if (!MediaPlayer1->IsOpen()) MediaPlayer1->Open();
            MediaPlayer1->Play();
        } catch (...) {
            // The user asked to be woken by a sound: the program's own, until the alarm is acknowledged.
            MediaPlayer1->SetNotify(false);
            CurrentWidgetset().SoundAlarmTone(true);
            throw;
        }
    });
}

void TForm1::ShowAlarmMessage() {
    ShowAlarmNotice();
    // Without a tray the box is where the alarm is answered: it shows also without a message.
    if (!CheckBox2->Checked() && Application->NotificationAreaAvailable()) return;
    const std::size_t outerBox = std::exchange(messageBoxDepth_, CurrentWidgetset().OpenMessageBoxes() + 1);
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

// The file is made ready for the next alarm, from its start.
void TForm1::OnMciNotify(TObject*) {
    MediaPlayer1->SetNotify(false);
    MediaPlayer1->Close();
    MediaPlayer1->Open();
}
