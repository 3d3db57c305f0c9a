// The widgetset of the Linux desktop: Qt widgets as peers, Qt's loop and timers, Qt's dialogs.
#pragma once

#include <QSocketNotifier>

#include "framework/widgetset/widgetset.h"
#include "platform/gstreamer/alarm_tone_player.h"
#include "platform/posix/instance/instance_claim.h"
#include "platform/posix/wake/wake_up_helper.h"
#include "platform/qt/timer_host.h"

namespace qtbackend {

class QtWidgetset : public widgetset::Widgetset {
  public:
    std::unique_ptr<widgetset::ControlPeer> CreatePeer(TControl& control) override;
    HWND ApplicationHandle() override;
    void RunLoop(const std::function<bool()>& done) override;
    void ApplicationDestroyed() override;
    void ProcessMessages() override;
    widgetset::TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
    widgetset::TimerId StartAnimationTimer(unsigned intervalMs, std::function<void()> tick) override;
    widgetset::TimerId StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) override;
    void StopTimer(widgetset::TimerId timer) override;
    std::unique_ptr<MediaDevice> CreateMediaDevice() override;
    std::size_t OpenMessageBoxes() override;
    void EndMessageBoxes(std::size_t depth) override;
    std::optional<std::string> ExecuteOpenDialog(const widgetset::OpenFileRequest& request) override;
    TMenuItem* PopupMenu(TPopupMenu& menu, int x, int y) override;
    void SetTrayMenu(HWND window, UINT id, TPopupMenu* menu, std::function<void()> aboutToShow) override;
    bool ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) override;
    std::optional<widgetset::InstanceAnswer> AskInstance(const std::string& name,
                                                         const std::string& request) override;
    bool NotificationAreaAvailable() override;
    void HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) override;
    void SoundAlarmTone(bool sounding) override;
    void SetAlarmToneVolume(double volume) override;
    void ShowAlarmNotice(const widgetset::AlarmNotice& notice) override;
    void CloseAlarmNotice() override;

  private:
    TimerHost& Timers();

    // Held for the life of the process; later starts knock on its socket.
    std::unique_ptr<posix::InstanceClaim> instance_;
    std::unique_ptr<QSocketNotifier> knocks_;

    HWND applicationHandle_ = nullptr;
    std::unique_ptr<TimerHost> timers_;
    gstreamer::AlarmTonePlayer& Tone();
    std::unique_ptr<gstreamer::AlarmTonePlayer> tone_;
    std::unique_ptr<posix::WakeUpHelper> wakeUp_;
    // The moment asked for while the helper is not yet started, and whether its start is on its way.
    std::optional<std::chrono::sys_seconds> wakeUpAskedFor_;
    bool wakeUpComing_ = false;
    bool noticeShown_ = false;
};

}  // namespace qtbackend
