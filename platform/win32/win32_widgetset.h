// The widgetset of Windows: native controls as peers, the system's loop, timers and dialogs, MCI.
#pragma once

#include <memory>
#include <optional>

#include "framework/widgetset.h"
#include "platform/win32/hidden_window.h"
#include "platform/win32/instance_claim.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/timer_host.h"

namespace win32backend {

class Win32Widgetset : public widgetset::Widgetset {
  public:
    Win32Widgetset();

    std::unique_ptr<widgetset::ControlPeer> CreatePeer(TControl& control) override;
    HWND ApplicationHandle() override;
    void RunLoop(const std::function<bool()>& done) override;
    void ProcessMessages() override;
    widgetset::TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
    widgetset::TimerId StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) override;
    void StopTimer(widgetset::TimerId timer) override;
    std::unique_ptr<MediaDevice> CreateMediaDevice() override;
    std::optional<std::string> ExecuteOpenDialog(const widgetset::OpenFileRequest& request) override;
    TMenuItem* PopupMenu(TPopupMenu& menu, int x, int y) override;
    bool ClaimInstance(const std::string& name, std::function<void()> anotherStart) override;
    bool NotificationAreaAvailable() override;
    void HoldWakeUp(const std::optional<SYSTEMTIME>& localMoment) override;

  private:
    TimerHost& Timers();

    std::unique_ptr<HiddenWindow> application_;
    // Open while a box owned by the application's window (MessageBoxA) has it disabled.
    std::optional<ModalScope> boxScope_;
    std::unique_ptr<TimerHost> timers_;
    std::unique_ptr<InstanceClaim> instance_;
};

}  // namespace win32backend
