#include "platform/qt/qt_widgetset.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <utility>

#include "framework/widgetset/peer_kinds.h"
#include "platform/posix/core/window_table.h"
#include "platform/qt/desktop_notice.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/interface_wait.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/tray_icons.h"
#include "platform/wake_up_refusal.h"

#include "platform/gstreamer/gstreamer_media_device.h"

namespace qtbackend {

namespace {

constexpr std::chrono::seconds kWakeUpHelperDelay{3};

}  // namespace

std::unique_ptr<widgetset::ControlPeer> QtWidgetset::CreatePeer(TControl& control) {
    EnsureApplication();
    return peer_kinds::NewPeer(control);
}

HWND QtWidgetset::ApplicationHandle() {
    if (applicationHandle_ == nullptr) applicationHandle_ = posix::CreateWindowHandle(&DefWindowProcA);
    return applicationHandle_;
}

void QtWidgetset::RunLoop(const std::function<bool()>& done) { RunUntil(done); }

// The tray icon goes later than its component (see TrayIcons). Left to the process's exit, a D-Bus tray
// icon waits forever on its connection's thread, stopped by then, and the program never ends.
void QtWidgetset::ApplicationDestroyed() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtWidgetset::ProcessMessages() {
    EnsureApplication();
    QCoreApplication::processEvents();
}

TimerHost& QtWidgetset::Timers() {
    if (!timers_) {
        EnsureApplication();
        timers_ = std::make_unique<TimerHost>();
    }
    return *timers_;
}

widgetset::TimerId QtWidgetset::StartTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().Start(intervalMs, std::move(tick)));
}

widgetset::TimerId QtWidgetset::StartAnimationTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().Start(intervalMs, std::move(tick), true));
}

widgetset::TimerId QtWidgetset::StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) {
    return static_cast<widgetset::TimerId>(Timers().StartWallClock(intervalMs, std::move(tick)));
}

void QtWidgetset::StopTimer(widgetset::TimerId timer) { Timers().Stop(static_cast<int>(timer)); }

std::unique_ptr<MediaDevice> QtWidgetset::CreateMediaDevice() { return CreateGStreamerMediaDevice(); }

std::size_t QtWidgetset::OpenMessageBoxes() { return qtbackend::OpenMessageBoxes(); }

void QtWidgetset::EndMessageBoxes(std::size_t depth) { qtbackend::EndMessageBoxes(depth); }

std::optional<std::string> QtWidgetset::ExecuteOpenDialog(const widgetset::OpenFileRequest& request) {
    return ExecuteOpenFileDialog(request);
}

TMenuItem* QtWidgetset::PopupMenu(TPopupMenu& menu, int x, int y) { return ShowPopupMenu(menu, x, y); }

void QtWidgetset::SetTrayMenu(HWND window, UINT id, TPopupMenu* menu, std::function<void()> aboutToShow) {
    TrayIcons::Instance().SetMenu(window, id, menu, std::move(aboutToShow));
}

// A start that gives way never connects to the display: it only knocks and ends.
bool QtWidgetset::ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) {
    instance_ = posix::InstanceClaim::Claim(name);
    if (!instance_) return false;
    EnsureApplication();
    knocks_ = std::make_unique<QSocketNotifier>(instance_->ListenDescriptor(), QSocketNotifier::Read);
    QObject::connect(knocks_.get(), &QSocketNotifier::activated, [this, requests = std::move(requests)] {
        for (posix::InstanceClaim::Request& request : instance_->TakeRequests()) {
            RunOrHold(
                [requests, request = std::make_shared<posix::InstanceClaim::Request>(std::move(request))] {
                    const widgetset::InstanceAnswer answer = requests(request->Command());
                    request->Reply({answer.status, answer.text});
                });
        }
    });
    return true;
}

// Asked before the display is opened: a start with a command never shows anything.
std::optional<widgetset::InstanceAnswer> QtWidgetset::AskInstance(const std::string& name,
                                                                  const std::string& request) {
    const auto answer = posix::InstanceClaim::Ask(name, request);
    if (!answer) return std::nullopt;
    return widgetset::InstanceAnswer{answer->status, answer->text};
}

bool QtWidgetset::NotificationAreaAvailable() {
    EnsureApplication();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

// The helper is a process of its own: it is started a while after the first moment is asked for, so that a
// start armed by Keep Running shows its icon first; only a computer asleep needs it, which takes longer.
void QtWidgetset::HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) {
    if (wakeUp_) return wakeUp_->Hold(moment);
    wakeUpAskedFor_ = moment;
    if (!moment || std::exchange(wakeUpComing_, true)) return;
    EnsureApplication();
    QTimer::singleShot(kWakeUpHelperDelay, QCoreApplication::instance(), [this] {
        wakeUp_ = std::make_unique<posix::WakeUpHelper>(posix::WakeHelperPath(), SayNoWakeUp);
        wakeUp_->Hold(wakeUpAskedFor_);
    });
}

void QtWidgetset::SoundAlarmTone(bool sounding) {
    if (!tone_ && !sounding) return;  // never started: nothing to stop, and nothing loaded for it
    Tone().Sound(sounding);
}

void QtWidgetset::SetAlarmToneVolume(double volume) { Tone().SetVolume(volume); }

// Made when first needed; it loads GStreamer only once it sounds.
gstreamer::AlarmTonePlayer& QtWidgetset::Tone() {
    if (!tone_) tone_ = std::make_unique<gstreamer::AlarmTonePlayer>();
    return *tone_;
}

void QtWidgetset::ShowAlarmNotice(const widgetset::AlarmNotice& notice) {
    EnsureApplication();
    noticeShown_ = true;
    DesktopNotice::Instance().Show(notice);
}

// Nothing to close, and no bus to reach, until a notice was shown.
void QtWidgetset::CloseAlarmNotice() {
    if (noticeShown_) DesktopNotice::Instance().Close();
}

}  // namespace qtbackend

widgetset::Widgetset& CurrentWidgetset() {
    // Never destroyed: timers and windows may be released from other objects' destructors at exit.
    static auto* widgetset = new qtbackend::QtWidgetset;
    return *widgetset;
}
