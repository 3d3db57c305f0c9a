// The settings window, the program's one form. It owns every component of the program; its handlers are
// defined beside the subsystem that owns them: the alarm in alarm/, loading and saving in settings/, the
// window's own behaviour in app/.
#pragma once

#include <optional>
#include <span>

#include "alarm/alarm_moment.h"
#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/image.h"
#include "framework/media_player.h"
#include "framework/menu_item.h"
#include "framework/open_dialog.h"
#include "framework/popup_menu.h"
#include "framework/timer.h"
#include "tray/qz_tray.h"

struct AlarmValue;

class TForm1 : public TForm {
    DECLARE_CLASS_INFO
  public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    TPanel* Panel1;
    TLabel* Label1;
    TImage* Image1;
    TGroupBox* GroupBox1;
    TCheckBox* CheckBox1;  // Alarm Enabled
    TCheckBox* CheckBox2;  // Message
    TEdit* message;
    TLabel* Label4;
    TEdit* hour;
    TLabel* Label3;
    TEdit* min;
    TCheckBox* CheckBox3;  // Play Media
    TCheckBox* CheckBox4;  // Keep Running
    TDateTimePicker* datepick;
    TCheckBox* CheckBox8;  // Alarm Daily
    TCheckBox* CheckBox6;  // Exit when done
    TCheckBox* CheckBox5;  // Run Application
    TEdit* runapp;
    TButton* pickappbutton;
    TButton* Button3;  // Set Defaults
    TButton* chkalarmbtn;
    TButton* Button1;  // Done
    TButton* Button2;  // Exit Program
    TMediaPlayer* MediaPlayer1;
    TTimer* Timer1;
    TTimer* TrayTimer;
    TqzTray* qzTray1;
    TOpenDialog* OpenDialog1;
    TOpenDialog* OpenDialog2;
    TPopupMenu* PopupMenu1;
    TMenuItem* showsettings;
    TMenuItem* HideSettings;
    TMenuItem* exitprogram;

    // The alarm (alarm/).
    void Timer1Timer(TObject* sender);
    void datepickChange(TObject* sender);
    void chkalarmbtnClick(TObject* sender);
    void DoAlarm(TObject* sender);
    void OnMciNotify(TObject* sender);
    void OnAnimate(TObject* sender);
    void OnOneClick(TObject* sender);
    void OnDblClick(TObject* sender);

    // Loading and saving (settings/).
    void OnInit(TObject* sender);
    void OnAlarmClick(TObject* sender);
    void Button3Click(TObject* sender);
    void CheckBox4Click(TObject* sender);

    // The window's behaviour (app/).
    void OnMessageClick(TObject* sender);
    void messageChange(TObject* sender);
    void OnAppEdit(TObject* sender);
    void pickappbuttonClick(TObject* sender);
    void OnNewTime(TObject* sender);
    void Button1Click(TObject* sender);
    void OnShowMenu(TObject* sender);
    void OnShowSettings(TObject* sender);
    void OnHideSettings(TObject* sender);
    void Button2Click(TObject* sender);
    void OnExitProgram(TObject* sender);
    void CheckBox3Click(TObject* sender);
    void AboutBox(TObject* sender);
    void CheckBox8Click(TObject* sender);

  private:
    // What "E&xit Program" on the button and in the tray menu do alike.
    void ExitProgram();
    // The alarm acknowledged: no more flashing, the normal icon back (alarm/).
    void StopFlashing();
    // A one-time alarm passed unseen: disarmed, and the user told (alarm/).
    void ReportMissedAlarm(LocalMoment moment);
    // The system's wake-up set for the alarm's next moment, or released (alarm/).
    void HoldAlarmWakeUp();
    // The armed alarm, as the window shows it, into the store (settings/).
    void SaveAlarm();
    // Loading, step by step (settings/).
    void RestoreAlarmDate();
    void RestoreMediaFile(const std::string& fileName);
    void ApplyStoredMessage(const std::string& text);
    void Store(std::span<const AlarmValue* const> values, const char* AlarmValue::*nameOf);

    // True while the load sets the controls from the store. The saves that it runs (its time fields arm the
    // alarm) come before the boxes are restored, so they must not delete what is still to be read.
    bool restoring_ = false;
    // When the alarm check last ran; nothing before the first check of this run.
    std::optional<LocalMoment> lastAlarmCheck_;
};

// The program's one settings window; set before its creation handler runs.
extern TForm1* Form1;
