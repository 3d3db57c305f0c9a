// The tray icon's flashing once an alarm fired, and the clicks that acknowledge it. The flash timer's Tag
// is the phase: 0 while the normal icon shows, 1 while the filled one does.
#include "app/main_form.h"

void TForm1::OnAnimate(TObject*) {
    if (TrayTimer->Tag() == 0) {
        TrayTimer->SetTag(1);
        qzTray1->NextIcon();
    } else {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
}

void TForm1::OnOneClick(TObject*) {
    if (TrayTimer->Tag() == 1) {
        TrayTimer->SetTag(0);
        qzTray1->PreviousIcon();
    }
    TrayTimer->SetEnabled(false);
    if (CheckBox6->Checked()) Close();
}

// The single click that starts every double click has already brought the normal icon back.
void TForm1::OnDblClick(TObject*) {
    ShowRestored();
    TrayTimer->SetEnabled(false);
}
