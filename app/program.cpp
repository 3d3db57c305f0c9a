#include "app/program.h"

#include "app/main_form.h"
#include "framework/application.h"

void RunAlarmClock() {
    Application->Initialize();
    Application->SetTitle("Zelvo's Alarm Clock");
    // The creation handler alone decides whether the window shows: hidden while an alarm is armed.
    Application->SetShowMainForm(false);
    Application->CreateForm(Form1);
    // An armed alarm's window starts hidden; the tray icon works as usual once a notification area appears.
    Form1->KeepWithinReach();
    Application->Run();
}
