// The settings window's own behaviour: check boxes that follow their fields, arming from the time fields,
// choosing the application and the media file, "&Done", the tray menu and the about text.
#include "app/main_form.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "platform/readme_location.h"
#include "settings/settings_store.h"

namespace {

const std::string kNoNotificationQuestion =
    "You've not chosen any methods of notification.\r"
    "There will only be a flashing icon in the tray.\r"
    "Are you sure this is what you want?";
const std::string kNoNotificationCaption = "Zelvo's Alarm - Option verification";

const std::string kAboutText =
    "Zelvo's Alarm Clock v1.25\r"
    "Written by Zelvo, 1999 to 2002.\r"
    "\r"
    "Its main purpose was to stay alive after a reboot of\r"
    "the computer, so that an alarm set for later is not lost.\r"
    "\r"
    "It began as a project for learning to write programs\r"
    "and grew into a small but complete alarm clock.\r"
    "It is shared here in the hope that others find it useful.\r"
    "\r"
    "You may give it away freely, as long as it stays unchanged.\r"
    "\r"
    "More about it in ";

std::string RefusalText(ArmRefusal refusal, const std::string& hourText, const std::string& minuteText) {
    if (refusal == ArmRefusal::NoTimeOfDay) {
        return "\"" + hourText + ":" + minuteText +
               "\" is no time of day, so the alarm cannot be set. Type an hour from 0 to 23 and a minute "
               "from 0 to 59.";
    }
    return "The alarm's time has already passed on the chosen date, so it would never go off. Choose a "
           "later time or date, or tick \"Alarm Daily\".";
}

}  // namespace

void TForm1::OnMessageClick(TObject*) { message->SetEnabled(CheckBox2->Checked()); }

void TForm1::messageChange(TObject*) { CheckBox2->SetChecked(!message->Text().empty()); }

void TForm1::OnAppEdit(TObject*) { CheckBox5->SetChecked(!runapp->Text().empty()); }

void TForm1::pickappbuttonClick(TObject*) {
    OpenDialog1->SetKind(widgetset::FileKind::Program);
    if (!OpenDialog1->Execute()) return;
    runapp->SetText(OpenDialog1->FileName());
    CheckBox5->SetChecked(true);
}

// Armed exactly while both time fields hold something; only a change of the minute runs this.
void TForm1::OnNewTime(TObject*) {
    if (hour->Text().empty()) {
        CheckBox1->SetChecked(false);
        return;
    }
    CheckBox1->SetChecked(!min->Text().empty());
}

// An alarm that cannot ring is not set in silence: the window stays open for the user to correct it.
void TForm1::Button1Click(TObject* sender) {
    Acknowledge();
    if (CheckBox1->Checked()) {
        const ArmResult armed = WindowAlarm();
        if (armed.refusal) {
            ShowMessage(RefusalText(*armed.refusal, hour->Text(), min->Text()));
            return;
        }
    }
    if (!CheckBox2->Checked() && !CheckBox3->Checked() && !CheckBox5->Checked()) {
        const int answer = MessageBoxFittingA(Application->Handle(), kNoNotificationQuestion.c_str(),
                                              kNoNotificationCaption.c_str(), MB_YESNO);
        if (answer == IDNO) return;
    }
    // Saves or clears according to "Alarm Enabled", as a click on it would; putting away then stores nothing
    // new.
    if (!CheckBox1->Checked() || !Form1->Visible()) OnAlarmClick(sender);
    PutAway();
}

void TForm1::PutAway() {
    if (Application->NotificationAreaAvailable()) {
        Hide();
        return;
    }
    SetWindowState(wsMinimized);
    Hidden();  // gone from sight as far as the alarm is concerned
}

void TForm1::KeepWithinReach() {
    if (Visible() || Application->NotificationAreaAvailable()) return;
    SetWindowState(wsMinimized);
    Show();
}

void TForm1::CloseByUser() {
    if (Application->NotificationAreaAvailable()) {
        Close();
        return;
    }
    PutAway();
}

// The menu offers what the user sees: a minimized window counts as not shown. The snooze, and the separator
// under it, only while the alarm rings.
void TForm1::OnShowMenu(TObject*) {
    const bool shown = Form1->Visible() && Form1->WindowState() != wsMinimized;
    snooze->SetVisible(Ringing());
    showsettings->SetVisible(!shown);
    HideSettings->SetVisible(shown);
}

void TForm1::OnShowSettings(TObject*) { Form1->ShowRestored(); }

void TForm1::OnHideSettings(TObject*) { Form1->Hide(); }

void TForm1::ExitProgram() {
    Acknowledge();
    // Disarmed first, so that closing the window stores nothing again.
    alarm_.reset();
    ShowAlarmOver();
    HoldAlarmWakeUp();
    ClearSettings();
    Close();
}

void TForm1::Button2Click(TObject*) { ExitProgram(); }

void TForm1::OnExitProgram(TObject*) { ExitProgram(); }

// Ticking always asks for the file, starting from the one in force; a cancelled choice unticks the box
// again.
void TForm1::CheckBox3Click(TObject*) {
    if (!CheckBox3->Checked()) {
        StopAlarmSounds();
        return;
    }
    OpenDialog2->SetKind(widgetset::FileKind::Media);
    OpenDialog2->SetFileName(MediaPlayer1->FileName());
    if (!OpenDialog2->Execute()) {
        CheckBox3->SetChecked(false);
        return;
    }
    MediaPlayer1->SetFileName(OpenDialog2->FileName());
    MediaPlayer1->SetDeviceType(dtAutoSelect);
    MediaPlayer1->Open();
}

void TForm1::AboutBox(TObject*) { ShowMessage(kAboutText + ReadmeLocation()); }

void TForm1::CheckBox8Click(TObject*) { datepick->SetEnabled(!CheckBox8->Checked()); }
