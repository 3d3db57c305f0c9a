// The widgetset of Windows: native controls as peers, the system's loop, timers and dialogs, MCI.
#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "framework/widgetset/widgetset.h"
#include "platform/win32/application_window.h"
#include "platform/win32/instance_claim.h"
#include "platform/win32/timer_host.h"
#include "platform/win32/waitable_wake_timer.h"

namespace win32backend {

class Win32Widgetset : public widgetset::Widgetset {
  public:
    Win32Widgetset();

    std::unique_ptr<widgetset::ControlPeer> CreatePeer(TControl& control) override;
    HWND ApplicationHandle() override;
    void RunLoop(const std::function<bool()>& done) override;
    void ProcessMessages() override;
    void EndModalWaits() override;
    widgetset::TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
    widgetset::TimerId StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) override;
    void StopTimer(widgetset::TimerId timer) override;
    std::unique_ptr<MediaDevice> CreateMediaDevice() override;
    std::size_t OpenMessageBoxes() override;
    void EndMessageBoxes(std::size_t depth) override;
    std::optional<std::string> ExecuteOpenDialog(const widgetset::OpenFileRequest& request) override;
    TMenuItem* PopupMenu(TPopupMenu& menu, int x, int y) override;
    bool ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) override;
    std::optional<widgetset::InstanceAnswer> AskInstance(const std::string& name,
                                                         const std::string& request) override;
    bool NotificationAreaAvailable() override;
    void HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) override;
    void SoundAlarmTone(bool sounding) override;
    void SetAlarmToneVolume(double volume) override;
    void ShowAlarmNotice(const widgetset::AlarmNotice& notice) override;
    void CloseAlarmNotice() override;

    // A system broadcast to the main form's window: where it says that the clock was set (WM_TIMECHANGE) or
    // that the system resumed (WM_POWERBROADCAST), every wall-clock timer ticks at once.
    void HearBroadcast(UINT message, WPARAM wParam);

  private:
    TimerHost& Timers();

    std::unique_ptr<ApplicationWindow> application_;
    std::unique_ptr<TimerHost> timers_;
    bool toneSounding_ = false;
    // The icon whose balloon tells the alarm, while one does.
    std::optional<std::pair<HWND, UINT>> balloon_;
    std::unique_ptr<InstanceClaim> instance_;
    std::unique_ptr<WaitableWakeTimer> wakeTimer_;
};

}  // namespace win32backend
