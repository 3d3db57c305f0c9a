// The headless desktop: the one place where a test finds the virtual clock, the event loop, the user's
// scripted answers, the media library, the shell's records and what the peers were told. The back end's
// widgetset and its Win32 functions all work on it.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "framework/widgetset/widgetset.h"
#include "platform/headless/headless_media.h"
#include "platform/headless/headless_shell.h"
#include "platform/headless/modal_script.h"
#include "platform/headless/virtual_clock.h"
#include "platform/headless/virtual_event_loop.h"

namespace headless {

class Desktop {
  public:
    static Desktop& Instance();

    VirtualClock& Clock() { return clock_; }
    VirtualEventLoop& Loop() { return loop_; }
    ModalScript& Script() { return script_; }
    MediaLibrary& Media() { return media_; }
    HeadlessShell& Shell() { return shell_; }

    void Advance(std::chrono::milliseconds duration) { loop_.Advance(duration); }
    // How long the application's message loop may run in virtual time before it counts as hung.
    void SetRunLimit(std::chrono::milliseconds limit) { runLimit_ = limit; }
    std::chrono::milliseconds RunLimit() const { return runLimit_; }

    // How often a control's peer was told that an aspect changed.
    int PeerUpdates(const TControl& control, widgetset::Aspect aspect) const;
    void CountPeerUpdate(const TControl& control, widgetset::Aspect aspect) {
        ++peerUpdates_[&control][aspect];
    }
    void ForgetPeer(const TControl& control) { peerUpdates_.erase(&control); }

    // One running instance per program name, as the desktop back ends keep it: a later claim tells the
    // holder and fails.
    bool ClaimInstance(const std::string& name, widgetset::InstanceRequests requests);
    std::optional<widgetset::InstanceAnswer> AskInstance(const std::string& name, const std::string& request);
    bool NotificationArea() const { return notificationArea_; }
    void SetNotificationArea(bool present) { notificationArea_ = present; }
    // The wake-up the program holds: when the system would wake the machine.
    std::optional<std::chrono::sys_seconds> WakeUp() const { return wakeUp_; }
    void SetWakeUp(std::optional<std::chrono::sys_seconds> moment) { wakeUp_ = moment; }

    // The alarm's notice that shows now, as the program gave it.
    const std::optional<widgetset::AlarmNotice>& AlarmNotice() const { return alarmNotice_; }
    void SetAlarmNotice(std::optional<widgetset::AlarmNotice> notice) { alarmNotice_ = std::move(notice); }

    // Back to a fresh desktop between tests (the clock at its start, nothing queued or logged).
    void Reset();

  private:
    Desktop() = default;

    VirtualClock clock_;
    VirtualEventLoop loop_{clock_};
    ModalScript script_;
    MediaLibrary media_;
    HeadlessShell shell_;
    std::chrono::milliseconds runLimit_ = std::chrono::hours{24};
    std::map<const TControl*, std::map<widgetset::Aspect, int>> peerUpdates_;
    std::map<std::string, widgetset::InstanceRequests> instances_;
    bool notificationArea_ = true;
    std::optional<std::chrono::sys_seconds> wakeUp_;
    std::optional<widgetset::AlarmNotice> alarmNotice_;
};

}  // namespace headless
