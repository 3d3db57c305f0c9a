// The widgetset of the headless back end: peers that hold nothing (they count what they are told), the
// virtual-time loop, and modal dialogs answered by the test's script.
#pragma once

#include "framework/widgetset/widgetset.h"

namespace headless {

class HeadlessWidgetset : public widgetset::Widgetset {
  public:
    // Made on the interface thread, whose waits for another process's registry lock then keep the interface
    // alive.
    HeadlessWidgetset();
    std::unique_ptr<widgetset::ControlPeer> CreatePeer(TControl& control) override;
    HWND ApplicationHandle() override;
    void RunLoop(const std::function<bool()>& done) override;
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
    HWND applicationHandle_ = nullptr;
};

}  // namespace headless
