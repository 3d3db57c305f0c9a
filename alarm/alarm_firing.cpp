// Carrying an alarm out: its guards, then the flashing, then the notifications the user chose.
#include "alarm/alarm_date.h"
#include "alarm/run_command.h"
#include "app/main_form.h"
#include "framework/dialogs.h"
#include "framework/error_reporting.h"
#include "framework/widgetset.h"
#include "settings/startup_entry.h"

void TForm1::DoAlarm(TObject*) {
    // The guards come before anything the user sees, so a tick inside the message box cannot fire again.
    if (CheckBox8->Checked()) {
        if (LastAlarmDay == static_cast<std::int16_t>(AlarmDate.Day)) return;
        LastAlarmDay = static_cast<std::int16_t>(AlarmDate.Day);
    } else {
        // Disarms; its handler deletes the stored alarm. The box is unticked before that handler runs,
        // so even when deleting fails (reported here) the alarm cannot fire twice, and still goes on.
        ReportErrors([this] { CheckBox1->SetChecked(false); });
    }
    TrayTimer->SetEnabled(true);
    // A failure to clear the entry or to play the file is reported, and the alarm's other notifications
    // still reach the user.
    ReportErrors([this] { ClearStartupEntry(); });
    if (CheckBox3->Checked()) {
        ReportErrors([this] {
            try {
                MediaPlayer1->SetNotify(true);
                // Closed when its last opening failed (the file gone, say): tried again, so that the report
                // says what is wrong with the file now, or the file plays if it is back.
                if (!MediaPlayer1->IsOpen()) MediaPlayer1->Open();
                MediaPlayer1->Play();
            } catch (...) {
                // The user asked to be woken by a sound: the program's own sounds while the error is shown,
                // until the alarm is acknowledged.
                CurrentWidgetset().SoundAlarmTone(true);
                throw;
            }
        });
    }
    if (CheckBox2->Checked()) {
        ShowMessage(message->Text());
        StopFlashing();  // closing the message acknowledges the alarm
    }
    if (CheckBox5->Checked()) {
        const RunCommand command = SplitRunCommand(runapp->Text());
        ShellExecuteReportingA(nullptr, "Open", command.file.c_str(), command.parameters.c_str(), "", SW_SHOW);
    }
}

// The file is made ready for the next alarm, from its start.
void TForm1::OnMciNotify(TObject*) {
    MediaPlayer1->SetNotify(false);
    MediaPlayer1->Close();
    MediaPlayer1->Open();
}
