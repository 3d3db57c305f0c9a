#include "platform/headless/headless_widgetset.h"

#include <stdexcept>
#include <string>

#include "framework/control.h"
#include "framework/menu_item.h"
#include "framework/popup_menu.h"
#include "framework/rules/menu_entries.h"
#include "framework/win_control.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless_media_device.h"
#include "platform/headless/interface_wait.h"
#include "platform/posix/core/window_table.h"

namespace headless {

namespace {

class HeadlessPeer : public widgetset::ControlPeer {
  public:
    explicit HeadlessPeer(const TControl& control) : control_(control) {}
    ~HeadlessPeer() override {
        if (handle_ != nullptr) DestroyWindow(handle_);
        Desktop::Instance().ForgetPeer(control_);
    }

    void Changed(widgetset::Aspect aspect) override { Desktop::Instance().CountPeerUpdate(control_, aspect); }

    HWND Handle() override {
        if (handle_ == nullptr) handle_ = posix::CreateWindowHandle(&ControlWindowProc);
        return handle_;
    }

  private:
    const TControl& control_;
    HWND handle_ = nullptr;
};

}  // namespace

HeadlessWidgetset::HeadlessWidgetset() { KeepInterfaceAliveInRegistryWaits(); }

std::unique_ptr<widgetset::ControlPeer> HeadlessWidgetset::CreatePeer(TControl& control) {
    return std::make_unique<HeadlessPeer>(control);
}

HWND HeadlessWidgetset::ApplicationHandle() {
    if (applicationHandle_ == nullptr) applicationHandle_ = posix::CreateWindowHandle(&DefWindowProcA);
    return applicationHandle_;
}

void HeadlessWidgetset::RunLoop(const std::function<bool()>& done) {
    Desktop& desktop = Desktop::Instance();
    if (!desktop.Loop().RunUntil(done, desktop.RunLimit())) {
        throw std::runtime_error("The headless event loop was still running after " +
                                 std::to_string(desktop.RunLimit().count()) + " ms of virtual time");
    }
}

void HeadlessWidgetset::ProcessMessages() { Desktop::Instance().Loop().ProcessMessages(); }

widgetset::TimerId HeadlessWidgetset::StartTimer(unsigned intervalMs, std::function<void()> tick) {
    return Desktop::Instance().Loop().StartTimer(std::chrono::milliseconds{intervalMs}, std::move(tick));
}

widgetset::TimerId HeadlessWidgetset::StartAnimationTimer(unsigned intervalMs, std::function<void()> tick) {
    return Desktop::Instance().Loop().StartAnimationTimer(std::chrono::milliseconds{intervalMs},
                                                          std::move(tick));
}

widgetset::TimerId HeadlessWidgetset::StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) {
    return Desktop::Instance().Loop().StartWallClockTimer(std::chrono::milliseconds{intervalMs},
                                                          std::move(tick));
}

void HeadlessWidgetset::StopTimer(widgetset::TimerId timer) { Desktop::Instance().Loop().StopTimer(timer); }

std::unique_ptr<MediaDevice> HeadlessWidgetset::CreateMediaDevice() {
    return std::make_unique<HeadlessMediaDevice>(Desktop::Instance().Media(), Desktop::Instance().Loop());
}

std::size_t HeadlessWidgetset::OpenMessageBoxes() { return Desktop::Instance().Script().OpenMessageBoxes(); }

void HeadlessWidgetset::EndMessageBoxes(std::size_t depth) {
    Desktop::Instance().Script().EndMessageBoxes(depth);
}

std::optional<std::string> HeadlessWidgetset::ExecuteOpenDialog(const widgetset::OpenFileRequest& request) {
    return Desktop::Instance().Script().ShowOpenDialog(request);
}

TMenuItem* HeadlessWidgetset::PopupMenu(TPopupMenu& menu, int x, int y) {
    PopupMenuCall call{&menu, x, y, {}};
    const std::vector<MenuEntry> entries = MenuEntries(menu);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == MenuEntry::Item) call.shownItems.push_back(menu.Items(static_cast<int>(i)));
    }
    return Desktop::Instance().Script().ShowPopupMenu(call);
}

bool HeadlessWidgetset::ClaimInstance(const std::string& name, widgetset::InstanceRequests requests) {
    return Desktop::Instance().ClaimInstance(name, std::move(requests));
}

std::optional<widgetset::InstanceAnswer> HeadlessWidgetset::AskInstance(const std::string& name,
                                                                        const std::string& request) {
    return Desktop::Instance().AskInstance(name, request);
}

bool HeadlessWidgetset::NotificationAreaAvailable() { return Desktop::Instance().NotificationArea(); }

void HeadlessWidgetset::HoldWakeUp(std::optional<std::chrono::sys_seconds> moment) {
    Desktop::Instance().SetWakeUp(moment);
}

void HeadlessWidgetset::SoundAlarmTone(bool sounding) { Desktop::Instance().Media().alarmTone = sounding; }

void HeadlessWidgetset::SetAlarmToneVolume(double volume) {
    Desktop::Instance().Media().alarmToneVolume = volume;
}

void HeadlessWidgetset::ShowAlarmNotice(const widgetset::AlarmNotice& notice) {
    Desktop::Instance().SetAlarmNotice(notice);
}

void HeadlessWidgetset::CloseAlarmNotice() { Desktop::Instance().SetAlarmNotice(std::nullopt); }

}  // namespace headless

widgetset::Widgetset& CurrentWidgetset() {
    static headless::HeadlessWidgetset widgetset;
    return widgetset;
}
