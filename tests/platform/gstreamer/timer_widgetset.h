// A widgetset for the GStreamer tests: real timers on the steady clock, run by a loop that the test
// drives on its own thread, which is the interface thread. Everything else throws: the media device must
// not need it.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "framework/widgetset/widgetset.h"

class TimerWidgetset : public widgetset::Widgetset {
  public:
    using Clock = std::chrono::steady_clock;

    // Runs due timers until done() holds (true) or timeout passes (false). The waits that keep the
    // interface alive run here too, unless cut short: they then end at once, as if their time had passed,
    // without looking at their condition.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    void CutWaitsShort(bool cut) { waitsCutShort_ = cut; }
    bool WaitsCutShort() const { return waitsCutShort_; }
    std::size_t ActiveTimers() const { return timers_.size(); }

    widgetset::TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
    widgetset::TimerId StartWallClockTimer(unsigned intervalMs, std::function<void()> tick) override;
    void StopTimer(widgetset::TimerId timer) override;

    std::unique_ptr<widgetset::ControlPeer> CreatePeer(TControl& control) override;
    HWND ApplicationHandle() override;
    void RunLoop(const std::function<bool()>& done) override;
    void ProcessMessages() override;
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
    struct Timer {
        Clock::time_point due;
        Clock::duration interval;
        // Shared so that a tick that stops its own timer keeps running.
        std::shared_ptr<std::function<void()>> tick;
    };

    // Runs every timer due by now, each at most once; the earliest next due time afterwards.
    Clock::time_point RunDueTimers();

    std::map<widgetset::TimerId, Timer> timers_;
    widgetset::TimerId lastId_ = 0;
    bool waitsCutShort_ = false;
};

// The instance CurrentWidgetset() returns in these tests.
TimerWidgetset& TestWidgetset();
