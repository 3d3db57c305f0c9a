// The tray icon's flashing once an alarm fired, and the clicks that acknowledge it. The flash timer's Tag
// is the phase: 0 while the normal icon shows, 1 while the filled one does.
#include "app/main_form.h"
#include "framework/application.h"

void TForm1::OnAnimate(TObject*) {
    if (TrayTimer->Tag() == 0) {
        TrayTimer->SetTag(1);
        qzTray1->NextIcon();
    } else {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
}

// However the alarm is acknowledged, a snooze is over too.
void TForm1::Acknowledge() {
    Silence();
    if (snoozedUntil_) {
        snoozedUntil_.reset();
        HoldAlarmWakeUp();
    }
}

// The normal icon comes back (the filled one would look like an alarm still waiting), and every sound of the
// ringing stops.
void TForm1::Silence() {
    if (TrayTimer->Tag() == 1) {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
    TrayTimer->SetEnabled(false);
    SoundTimer->SetEnabled(false);
    StopAlarmSounds();
    Application->CloseAlarmNotice();
}

// The media file stops where it is (the next alarm opens it again) and the program's own tone with it.
void TForm1::StopAlarmSounds() {
    if (MediaPlayer1->Notify()) {
        MediaPlayer1->SetNotify(false);
        MediaPlayer1->Close();
    }
    FadeTimer->SetEnabled(false);
    Application->SoundAlarmTone(false);
}

void TForm1::OnOneClick(TObject*) {
    Acknowledge();
    if (CheckBox6->Checked()) Close();
}

void TForm1::OnDblClick(TObject*) {
    ShowRestored();
    Acknowledge();
}
