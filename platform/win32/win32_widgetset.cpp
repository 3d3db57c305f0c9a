#include "platform/win32/win32_widgetset.h"

#include <commctrl.h>

#include <cstdio>
#include <utility>

#include "framework/peer_kinds.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/mci_media_device.h"
#include "platform/win32/message_loop.h"

namespace win32backend {

Win32Widgetset::Win32Widgetset() {
    // The date picker and the tooltips are common controls.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
}

std::unique_ptr<widgetset::ControlPeer> Win32Widgetset::CreatePeer(TControl& control) {
    return peer_kinds::NewPeer(control);
}

// A hidden top-level window: message boxes it owns stand on their own on the taskbar. Such a box disables
// its owner while it is open (WM_ENABLE tells), and the program's other windows are disabled with it, as
// if each of them owned the box: no click or key reaches them, while the tray, the timers and media
// notifications go on. Being top-level, it also hears the system's broadcasts that the clock was set or the
// system resumed (a message-only window hears none), which wake the wall-clock timers: a SetTimer runs on
// the tick count, which stands still while the system sleeps and ignores a set of the clock. Waitable timers
// on the wall clock would be no better: the system's own modal loops (a message box's) wait for messages.
HWND Win32Widgetset::ApplicationHandle() {
    if (!application_) {
        application_ = std::make_unique<HiddenWindow>(
            [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                switch (message) {
                    case WM_ENABLE:
                        if (wParam != FALSE) {
                            boxScope_.reset();
                        } else if (!boxScope_) {
                            boxScope_.emplace();
                        }
                        return 0;
                    case WM_TIMECHANGE:
                        Timers().WakeWallClockTimers();
                        return 0;
                    case WM_POWERBROADCAST:
                        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                            Timers().WakeWallClockTimers();
                        }
                        return std::nullopt;
                    default:
                        return std::nullopt;
                }
            },
            "AlarmClock", false);
    }
    return application_->Handle();
}

void Win32Widgetset::RunLoop(const std::function<bool()>& done) { RunUntil(done); }

void Win32Widgetset::ProcessMessages() { ProcessPending(); }

TimerHost& Win32Widgetset::Timers() {
    if (!timers_) timers_ = std::make_unique<TimerHost>();
    return *timers_;
}

widgetset::TimerId Win32Widgetset::StartTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().Start(intervalMs, std::move(tick)));
}

widgetset::TimerId Win32Widgetset::StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) {
    ApplicationHandle();  // the window that hears a set of the clock or a resume
    return static_cast<widgetset::TimerId>(Timers().StartWallClock(intervalMs, std::move(tick)));
}

void Win32Widgetset::StopTimer(widgetset::TimerId timer) { Timers().Stop(static_cast<UINT_PTR>(timer)); }

std::unique_ptr<MediaDevice> Win32Widgetset::CreateMediaDevice() { return CreateMciMediaDevice(); }

std::optional<std::string> Win32Widgetset::ExecuteOpenDialog(const widgetset::OpenFileRequest& request) {
    return ExecuteOpenFileDialog(request);
}

TMenuItem* Win32Widgetset::PopupMenu(TPopupMenu& menu, int x, int y) {
    return ShowPopupMenu(menu, x, y, ApplicationHandle());
}

bool Win32Widgetset::ClaimInstance(const std::string& name, std::function<void()> anotherStart) {
    auto claim = InstanceClaim::Claim(name, std::move(anotherStart));
    if (!claim) return false;
    instance_ = std::move(claim);
    return true;
}

bool Win32Widgetset::NotificationAreaAvailable() { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }

// This build holds no wake-up yet: said once, as the contract asks, and the program runs on.
void Win32Widgetset::HoldWakeUp(const std::optional<SYSTEMTIME>&) {
    static bool said = false;
    if (!std::exchange(said, true)) std::fputs("alarmclock: no wake-up: this build cannot hold one\n", stderr);
}

}  // namespace win32backend

widgetset::Widgetset& CurrentWidgetset() {
    // Never destroyed: timers and windows may be released from other objects' destructors at exit.
    static auto* widgetset = new win32backend::Win32Widgetset;
    return *widgetset;
}
