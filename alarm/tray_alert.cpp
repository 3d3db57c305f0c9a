// The tray icon's flashing once an alarm fired, and the clicks that acknowledge it. The flash timer's Tag
// is the phase: 0 while the normal icon shows, 1 while the filled one does.
#include "app/main_form.h"
#include "framework/widgetset.h"

void TForm1::OnAnimate(TObject*) {
    if (TrayTimer->Tag() == 0) {
        TrayTimer->SetTag(1);
        qzTray1->NextIcon();
    } else {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
}

// However the alarm is acknowledged, the normal icon comes back (the filled one would look like an alarm
// still waiting), and the program's own tone, if the media could not play, stops.
void TForm1::StopFlashing() {
    if (TrayTimer->Tag() == 1) {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
    TrayTimer->SetEnabled(false);
    CurrentWidgetset().SoundAlarmTone(false);
}

void TForm1::OnOneClick(TObject*) {
    StopFlashing();
    if (CheckBox6->Checked()) Close();
}

void TForm1::OnDblClick(TObject*) {
    ShowRestored();
    StopFlashing();
}
