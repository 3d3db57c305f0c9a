// Carrying an alarm out: the flashing and the sound first, then the store, the message, the application,
// and last what went wrong. The ringing never waits on the store.
#include "alarm/run_command.h"
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/problems.h"
#include "framework/widgetset.h"
#include "settings/startup_entry.h"

void TForm1::DoAlarm(bool alarmChanged) {
    TrayTimer->SetEnabled(true);
    Problems problems;
    if (CheckBox3->Checked()) {
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
    if (alarmChanged) {
        if (!alarm_) ShowAlarmOver();
        HoldAlarmWakeUp();
        StoreAfterCall(&problems);
    } else if (!CheckBox8->Checked()) {
        // A test without a daily alarm: the start-up entry is cleared, as after a one-time alarm.
        problems.Try([] { ClearStartupEntry(); });
    }
    ShowAlarmNotice();
    // Without a tray the box is where the alarm is answered: it shows also without a message.
    if (CheckBox2->Checked() || !Application->NotificationAreaAvailable()) {
        ShowMessage(AlarmMessage());
        Acknowledge();  // closing the message acknowledges the alarm
    }
    if (CheckBox5->Checked()) {
        const RunCommand command = SplitRunCommand(runapp->Text());
        ShellExecuteReportingA(nullptr, "Open", command.file.c_str(), command.parameters.c_str(), "", SW_SHOW);
    }
    if (!problems.None()) {
        problems.Report();
        Acknowledge();  // so does closing the box that says what went wrong
    }
}

std::string TForm1::AlarmMessage() const { return CheckBox2->Checked() ? message->Text() : Application->Title(); }

// The file is made ready for the next alarm, from its start.
void TForm1::OnMciNotify(TObject*) {
    MediaPlayer1->SetNotify(false);
    MediaPlayer1->Close();
    MediaPlayer1->Open();
}
