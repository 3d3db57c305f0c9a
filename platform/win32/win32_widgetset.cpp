#include "platform/win32/win32_widgetset.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdio>
#include <utility>

#include "framework/application.h"
#include "framework/rules/wave_tone.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/wake_up_refusal.h"
#include "platform/win32/dialog_end.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/mci_media_device.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/tray_balloon.h"

namespace win32backend {

Win32Widgetset::Win32Widgetset() {
    // The date picker and the tooltips are common controls.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
}

std::unique_ptr<widgetset::ControlPeer> Win32Widgetset::CreatePeer(TControl& control) {
    return peer_kinds::NewPeer(control);
}

HWND Win32Widgetset::ApplicationHandle() {
    if (!application_) application_ = std::make_unique<ApplicationWindow>();
    return application_->Handle();
}

// A SetTimer runs on the tick count, which stands still while the system sleeps and ignores a set of the
// clock. The system says both only to top-level windows (a message-only window hears nothing), and the main
// form's is there from the program's start, also in an armed start that shows no window and no box. The
// application's window, made before the tray icon to hear them, left Wine's icon embedded but blank and
// deaf to clicks now and then. Waitable timers on the wall clock would be no better: the system's own modal
// loops (a message box's) wait for messages.
void Win32Widgetset::HearBroadcast(UINT message, WPARAM wParam) {
    const bool resumed =
        message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    if ((message == WM_TIMECHANGE || resumed) && timers_) timers_->WakeWallClockTimers();
}

void Win32Widgetset::RunLoop(const std::function<bool()>& done) { RunUntil(done); }

void Win32Widgetset::ProcessMessages() { ProcessPending(); }

void Win32Widgetset::EndModalWaits() { EndOpenDialogs(); }

TimerHost& Win32Widgetset::Timers() {
    if (!timers_) timers_ = std::make_unique<TimerHost>();
    return *timers_;
}

widgetset::TimerId Win32Widgetset::StartTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().Start(intervalMs, std::move(tick)));
}

widgetset::TimerId Win32Widgetset::StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().StartWallClock(intervalMs, std::move(tick)));
}

void Win32Widgetset::StopTimer(widgetset::TimerId timer) { Timers().Stop(static_cast<UINT_PTR>(timer)); }

std::unique_ptr<MediaDevice> Win32Widgetset::CreateMediaDevice() { return CreateMciMediaDevice(); }

std::size_t Win32Widgetset::OpenMessageBoxes() { return win32backend::OpenMessageBoxes(); }

void Win32Widgetset::EndMessageBoxes(std::size_t depth) { win32backend::EndMessageBoxes(depth); }

std::optional<std::string> Win32Widgetset::ExecuteOpenDialog(const widgetset::OpenFileRequest& request) {
    return ExecuteOpenFileDialog(request);
}

TMenuItem* Win32Widgetset::PopupMenu(TPopupMenu& menu, int x, int y) {
    return ShowPopupMenu(menu, x, y, ApplicationHandle());
}

bool Win32Widgetset::ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) {
    // Asked to end (by the uninstaller), the program ends as "Exit Program" ends it, but keeps the user's
    // settings.
    auto claim = InstanceClaim::Claim(name, std::move(requests), [] {
        if (Application != nullptr) Application->Terminate();
    });
    if (!claim) return false;
    instance_ = std::move(claim);
    return true;
}

std::optional<widgetset::InstanceAnswer> Win32Widgetset::AskInstance(const std::string& name,
                                                                     const std::string& request) {
    return InstanceClaim::Ask(name, request);
}

bool Win32Widgetset::NotificationAreaAvailable() { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }

void Win32Widgetset::HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) {
    if (!wakeTimer_) wakeTimer_ = std::make_unique<WaitableWakeTimer>(SayNoWakeUp);
    wakeTimer_->Hold(moment);
}

// The system's own player loops the tone from memory until stopped.
void Win32Widgetset::SoundAlarmTone(bool sounding) {
    if (sounding == toneSounding_) return;
    toneSounding_ = sounding;
    if (!sounding) {
        PlaySoundA(nullptr, nullptr, 0);
        return;
    }
    const auto* wave = reinterpret_cast<LPCSTR>(AlarmToneWave().data());
    if (!PlaySoundA(wave, nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP | SND_NODEFAULT)) {
        static bool complained = false;
        if (!std::exchange(complained, true))
            std::fputs("alarmclock: no alarm tone: no sound output\n", stderr);
        toneSounding_ = false;
    }
}

// The system's player has no volume of its own: the tone sounds at full volume from its start.
void Win32Widgetset::SetAlarmToneVolume(double) {}
void Win32Widgetset::ShowAlarmNotice(const widgetset::AlarmNotice& notice) {
    CloseAlarmNotice();
    if (ShowTrayBalloon(notice)) balloon_.emplace(notice.window, notice.id);
}

void Win32Widgetset::CloseAlarmNotice() {
    if (balloon_) CloseTrayBalloon(balloon_->first, balloon_->second);
    balloon_.reset();
}

}  // namespace win32backend

widgetset::Widgetset& CurrentWidgetset() {
    // Never destroyed: timers and windows may be released from other objects' destructors at exit.
    static auto* widgetset = new win32backend::Win32Widgetset;
    return *widgetset;
}
