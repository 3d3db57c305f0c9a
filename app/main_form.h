// The settings window, the program's one form. It owns every component of the program; its handlers are
// defined beside the subsystem that owns them: the alarm in alarm/, loading and saving in settings/, the
// window's own behaviour in app/.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "alarm/alarm_schedule.h"
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
#include "framework/problems.h"
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
    // End the ringing's sound when no one answers it, and raise its volume at its start
    // (alarm/alarm_sound.cpp); made by the program, not the layout.
    TTimer* SoundTimer;
    TTimer* FadeTimer;
    TOpenDialog* OpenDialog1;
    TOpenDialog* OpenDialog2;
    TPopupMenu* PopupMenu1;
    TMenuItem* snooze;  // shown while the alarm rings
    TMenuItem* showsettings;
    TMenuItem* HideSettings;
    TMenuItem* exitprogram;

    // The alarm (alarm/).
    void Timer1Timer(TObject* sender);
    void datepickChange(TObject* sender);
    void chkalarmbtnClick(TObject* sender);
    // Rings: flashing, sound, message, application. alarmChanged: the call ended a one-time alarm or a
    // daily one's day, which the window shows at once and the store takes after the sound started.
    void DoAlarm(bool alarmChanged);
    void OnMciNotify(TObject* sender);
    void OnAnimate(TObject* sender);
    void OnOneClick(TObject* sender);
    void OnDblClick(TObject* sender);
    void OnSnooze(TObject* sender);
    void SoundTimerTimer(TObject* sender);
    void FadeTimerTimer(TObject* sender);

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

    // The window within the user's reach while it is hidden: without a notification area, where no tray icon
    // brings it back, it stays on the taskbar, minimized (app/).
    void KeepWithinReach();

    // The alarm armed now, nothing while none is.
    const std::optional<ArmedAlarm>& Alarm() const { return alarm_; }

    // The ringing alarm, answered alike from the tray menu, the command line and a desktop notification
    // (alarm/ringing.cpp). It rings from its firing until it is snoozed or acknowledged: the icon flashes,
    // the sound plays for its first kRingingSound.
    bool Ringing() const { return TrayTimer->Enabled(); }
    // When a snoozed alarm rings again; nothing while none is snoozed.
    const std::optional<Instant>& SnoozedUntil() const { return snoozedUntil_; }
    // The sound, the flashing and the ringing's message box stop, and come back kSnoozeTime from now (the
    // application is not launched again). False, and nothing done, when the alarm does not ring.
    bool SnoozeAlarm();
    // What a click on the flashing icon does: the ringing or the snooze is over (and with "Exit when done"
    // the program). False, and nothing done, when the alarm neither rings nor is snoozed.
    bool StopAlarm();

  protected:
    // However the window goes away, the alarm it shows is the one armed and stored.
    void Hidden() override;
    // Without a notification area the window is put away as Done does, and the program goes on (app/).
    void CloseByUser() override;

  private:
    // What "E&xit Program" on the button and in the tray menu do alike.
    void ExitProgram();
    // The window out of the way with its alarm stored: hidden, or minimized where no tray icon could bring
    // it back (app/).
    void PutAway();
    // The alarm acknowledged: no more flashing, the normal icon back, no sound, no snooze (alarm/).
    void Acknowledge();
    // The flashing and the sound stop; a snooze stays.
    void Silence();
    void StopAlarmSounds();
    // The flashing and the sound begin; what cannot sound goes to problems (alarm/).
    void StartRinging(Problems& problems);
    // The sound alone, from silence, for kRingingSound (alarm/alarm_sound.cpp).
    void StartAlarmSound(Problems& problems);
    // The media file from its start, else the program's tone and the failure thrown.
    void PlayAlarmMedia();
    void SetAlarmVolume(double volume);
    // The message in the desktop's notice, with the ringing's answers, and in a box that a snooze closes
    // when the alarm has one or no tray icon flashes; closing the box otherwise acknowledges the alarm.
    void ShowAlarmMessage();
    // The notice alone (alarm/alarm_notice.cpp).
    void ShowAlarmNotice();
    // What the alarm's box says: the message, or the program's name when it shows without one.
    std::string AlarmMessage() const;
    // What went wrong, told once the ringing's box is gone; closing it acknowledges a ringing alarm.
    void ReportRingingProblems(Problems& problems);
    // A snoozed alarm rings again once its time has come.
    void RingAgainWhenSnoozeIsOver();
    // A one-time alarm passed unseen: over, and the user told (alarm/).
    void ReportMissedAlarm(Instant moment);
    // The system's wake-up set for the alarm's next moment, or released (alarm/).
    void HoldAlarmWakeUp();
    // The alarm that the window shows, as it would be armed now (settings/).
    ArmResult WindowAlarm() const;
    // The window's alarm armed and, with every value the window shows, stored; one that cannot ring is
    // neither, and the store holds no alarm (settings/).
    void SaveAlarm();
    // A one-time alarm over: "Alarm Enabled" unticked without its handler, which would store at once.
    void ShowAlarmOver();
    // The tray's tip: whether an alarm is armed.
    void ShowAlarmState();
    // The store brought in line with the alarm after a call; a failure goes to problems (when given) and
    // the next check tries again.
    void StoreAfterCall(Problems* problems);
    // What the window shows of the alarm's time; the armed alarm follows it at the next check.
    struct ShownTime {
        std::string hour;
        std::string minute;
        bool daily = false;
        WORD year = 0, month = 0, day = 0;
        bool operator==(const ShownTime&) const = default;
    };
    ShownTime ShownAlarmTime() const;
    // The armed alarm made again from the window, which has changed since; nothing stored until it hides.
    void FollowWindow();
    // The alarm the store holds, once the load has set the window from it.
    ArmedAlarm LoadedAlarm(std::chrono::minutes timeOfDay) const;
    // Loading, step by step (settings/).
    void RestoreAlarmDate();
    void RestoreMediaFile(const std::string& fileName);
    void ApplyStoredMessage(const std::string& text);
    // Values by name, in the order they are written, each with its text or none to delete it.
    using StoredValues = std::vector<std::pair<const char*, std::optional<std::string>>>;
    StoredValues ValuesToStore(std::span<const AlarmValue* const> values,
                               const char* AlarmValue::*nameOf) const;
    void Store(const StoredValues& values);
    // Whether the store holds these values already, and the alarm armed.
    static bool StoreHolds(const StoredValues& values);

    // True while the load sets the controls from the store. The saves that it runs (its time fields arm the
    // alarm) come before the boxes are restored, so they must not delete what is still to be read.
    bool restoring_ = false;
    // The armed alarm; the check, the wake-up and the tip follow it.
    std::optional<ArmedAlarm> alarm_;
    // What the armed alarm was made from.
    std::optional<ShownTime> armedFrom_;
    // The store has not yet taken what the last call changed.
    bool storeBehind_ = false;
    std::optional<Instant> snoozedUntil_;
    // The depth of the open box that shows the ringing's message (TApplication::OpenMessageBoxes), 0 for none.
    std::size_t messageBoxDepth_ = 0;
    // The fade's ticks since the sound began.
    int fadeSteps_ = 0;
};

// The program's one settings window; set before its creation handler runs.
extern TForm1* Form1;
