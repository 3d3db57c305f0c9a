#include "app/main_form.h"

#include "app/main_form_layout.h"
#include "framework/application.h"
#include "framework/class_registry.h"

TForm1* Form1 = nullptr;

namespace {

const MethodInfo kHandlers[] = {
    PUBLISHED_METHOD(TForm1, Timer1Timer),        PUBLISHED_METHOD(TForm1, datepickChange),
    PUBLISHED_METHOD(TForm1, chkalarmbtnClick),   PUBLISHED_METHOD(TForm1, OnMciNotify),
    PUBLISHED_METHOD(TForm1, OnAnimate),          PUBLISHED_METHOD(TForm1, OnOneClick),
    PUBLISHED_METHOD(TForm1, OnDblClick),         PUBLISHED_METHOD(TForm1, OnInit),
    PUBLISHED_METHOD(TForm1, OnAlarmClick),       PUBLISHED_METHOD(TForm1, Button3Click),
    PUBLISHED_METHOD(TForm1, CheckBox4Click),     PUBLISHED_METHOD(TForm1, OnMessageClick),
    PUBLISHED_METHOD(TForm1, messageChange),      PUBLISHED_METHOD(TForm1, OnAppEdit),
    PUBLISHED_METHOD(TForm1, pickappbuttonClick), PUBLISHED_METHOD(TForm1, OnNewTime),
    PUBLISHED_METHOD(TForm1, Button1Click),       PUBLISHED_METHOD(TForm1, OnShowMenu),
    PUBLISHED_METHOD(TForm1, OnShowSettings),     PUBLISHED_METHOD(TForm1, OnHideSettings),
    PUBLISHED_METHOD(TForm1, Button2Click),       PUBLISHED_METHOD(TForm1, OnExitProgram),
    PUBLISHED_METHOD(TForm1, CheckBox3Click),     PUBLISHED_METHOD(TForm1, AboutBox),
    PUBLISHED_METHOD(TForm1, CheckBox8Click),     PUBLISHED_METHOD(TForm1, OnSnooze),
};

TTimer* StoppedTimer(TForm1* owner, std::chrono::milliseconds interval, const TNotifyEvent& onTimer) {
    auto* timer = new TTimer(owner);
    timer->SetEnabled(false);
    timer->SetInterval(static_cast<unsigned>(interval.count()));
    timer->SetOnTimer(onTimer);
    return timer;
}

}  // namespace

const ClassInfo TForm1::Class{.name = "TForm1", .parent = &TForm::Class, .methods = kHandlers};

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    RegisterClass(TqzTray::Class);
    LoadLayout(kMainFormLayout);
    BindComponent(Panel1, "Panel1");
    BindComponent(Label1, "Label1");
    BindComponent(Image1, "Image1");
    BindComponent(GroupBox1, "GroupBox1");
    BindComponent(CheckBox1, "CheckBox1");
    BindComponent(CheckBox2, "CheckBox2");
    BindComponent(message, "message");
    BindComponent(Label4, "Label4");
    BindComponent(hour, "hour");
    BindComponent(Label3, "Label3");
    BindComponent(min, "min");
    BindComponent(CheckBox3, "CheckBox3");
    BindComponent(CheckBox4, "CheckBox4");
    BindComponent(datepick, "datepick");
    BindComponent(CheckBox8, "CheckBox8");
    BindComponent(CheckBox6, "CheckBox6");
    BindComponent(CheckBox5, "CheckBox5");
    BindComponent(runapp, "runapp");
    BindComponent(pickappbutton, "pickappbutton");
    BindComponent(Button3, "Button3");
    BindComponent(chkalarmbtn, "chkalarmbtn");
    BindComponent(Button1, "Button1");
    BindComponent(Button2, "Button2");
    BindComponent(MediaPlayer1, "MediaPlayer1");
    BindComponent(Timer1, "Timer1");
    BindComponent(TrayTimer, "TrayTimer");
    BindComponent(qzTray1, "qzTray1");
    BindComponent(OpenDialog1, "OpenDialog1");
    BindComponent(OpenDialog2, "OpenDialog2");
    BindComponent(PopupMenu1, "PopupMenu1");
    BindComponent(snooze, "snooze");
    BindComponent(showsettings, "showsettings");
    BindComponent(HideSettings, "HideSettings");
    BindComponent(exitprogram, "exitprogram");
    // The alarm check ticks on the wall clock's ten-second marks, so an alarm comes as its minute begins.
    Timer1->SetAlignedToWallClock(true);
    // The tray flashes on while the program waits for another process's registry lock or a media file.
    TrayTimer->SetAnimates(true);
    SoundTimer = StoppedTimer(this, kRingingSound, MakeNotifyEvent<&TForm1::SoundTimerTimer>(this));
    FadeTimer = StoppedTimer(this, kSoundFadeStep, MakeNotifyEvent<&TForm1::FadeTimerTimer>(this));
}

TForm1::~TForm1() {
    // Its answers would reach a form that is gone.
    Application->CloseAlarmNotice();
    if (Form1 == this) Form1 = nullptr;
}
