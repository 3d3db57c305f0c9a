#include "app/program.h"

#include "app/main_form.h"
#include "framework/application.h"

void RunAlarmClock() {
    Application->Initialize();
    Application->SetTitle("Zelvo's Alarm Clock");
    // The creation handler alone decides whether the window shows: hidden while an alarm is armed.
    Application->SetShowMainForm(false);
    Application->CreateForm(Form1);
    // Without a notification area an armed alarm's hidden window could not be reached: it stays on the
    // taskbar, minimized, and the tray icon works as usual once a notification area appears.
    if (!Form1->Visible() && !Application->NotificationAreaAvailable()) {
        Form1->SetWindowState(wsMinimized);
        Form1->Show();
    }
    Application->Run();
}
