#include "tests/platform/gstreamer/timer_widgetset.h"

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <vector>

#include "framework/widgetset/interface_wait.h"

namespace {

[[noreturn]] void NotInThisWidgetset(const char* what) {
    throw std::logic_error(std::string("the test widgetset has no ") + what);
}

}  // namespace

bool TimerWidgetset::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const Clock::time_point next = RunDueTimers();
        if (done()) return true;
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_until(std::min({next, deadline, now + std::chrono::milliseconds{10}}));
    }
}

TimerWidgetset::Clock::time_point TimerWidgetset::RunDueTimers() {
    std::vector<widgetset::TimerId> due;
    for (const auto& [id, timer] : timers_) {
        if (timer.due <= Clock::now()) due.push_back(id);
    }
    for (widgetset::TimerId id : due) {
        auto it = timers_.find(id);
        if (it == timers_.end()) continue;  // stopped by an earlier tick
        it->second.due = Clock::now() + it->second.interval;
        auto tick = it->second.tick;
        (*tick)();
    }
    Clock::time_point next = Clock::time_point::max();
    for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
    return next;
}

widgetset::TimerId TimerWidgetset::StartTimer(unsigned intervalMs, std::function<void()> tick) {
    const Clock::duration interval = std::chrono::milliseconds{std::max(intervalMs, 1u)};
    timers_[++lastId_] =
        Timer{Clock::now() + interval, interval, std::make_shared<std::function<void()>>(std::move(tick))};
    return lastId_;
}

void TimerWidgetset::StopTimer(widgetset::TimerId timer) { timers_.erase(timer); }

std::unique_ptr<widgetset::ControlPeer> TimerWidgetset::CreatePeer(TControl&) { NotInThisWidgetset("peers"); }
widgetset::TimerId TimerWidgetset::StartWallClockTimer(unsigned, std::function<void()>) {
    NotInThisWidgetset("wall-clock timers");
}
HWND TimerWidgetset::ApplicationHandle() { NotInThisWidgetset("application window"); }
void TimerWidgetset::RunLoop(const std::function<bool()>&) { NotInThisWidgetset("unbounded loop"); }
void TimerWidgetset::ProcessMessages() { NotInThisWidgetset("messages"); }
std::unique_ptr<MediaDevice> TimerWidgetset::CreateMediaDevice() { NotInThisWidgetset("media device"); }
std::size_t TimerWidgetset::OpenMessageBoxes() { NotInThisWidgetset("message boxes"); }
void TimerWidgetset::EndMessageBoxes(std::size_t) { NotInThisWidgetset("message boxes"); }
std::optional<std::string> TimerWidgetset::ExecuteOpenDialog(const widgetset::OpenFileRequest&) {
    NotInThisWidgetset("dialogs");
}
TMenuItem* TimerWidgetset::PopupMenu(TPopupMenu&, int, int) { NotInThisWidgetset("menus"); }
bool TimerWidgetset::ClaimInstance(const std::string&, widgetset::InstanceRequests) {
    NotInThisWidgetset("instances");
}
std::optional<widgetset::InstanceAnswer> TimerWidgetset::AskInstance(const std::string&, const std::string&) {
    NotInThisWidgetset("instances");
}
bool TimerWidgetset::NotificationAreaAvailable() { NotInThisWidgetset("notification areas"); }
void TimerWidgetset::HoldWakeUp(std::optional<std::chrono::sys_seconds>) { NotInThisWidgetset("wake-ups"); }
void TimerWidgetset::SoundAlarmTone(bool) { NotInThisWidgetset("alarm tone"); }
void TimerWidgetset::SetAlarmToneVolume(double) { NotInThisWidgetset("alarm tone"); }
void TimerWidgetset::ShowAlarmNotice(const widgetset::AlarmNotice&) { NotInThisWidgetset("alarm notices"); }
void TimerWidgetset::CloseAlarmNotice() { NotInThisWidgetset("alarm notices"); }

TimerWidgetset& TestWidgetset() {
    static TimerWidgetset instance;
    return instance;
}

widgetset::Widgetset& CurrentWidgetset() { return TestWidgetset(); }

bool widgetset::WaitKeepingInterfaceAlive(std::chrono::milliseconds longest,
                                          const std::function<bool()>& done) {
    return !TestWidgetset().WaitsCutShort() && TestWidgetset().RunUntil(done, longest);
}
