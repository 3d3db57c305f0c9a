// The widgetset's timers: Qt timers of one object on the interface thread, each running its tick.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace qtbackend {

class TimerHost : public QObject {
  public:
    // Each returns the timer's id, never 0.
    int Start(unsigned intervalMs, std::function<void()> tick);
    // Ticks on the wall clock's marks of that interval (framework/timer_marks.h).
    int StartWallClock(unsigned intervalMs, std::function<void()> tick);
    void Stop(int id);

  private:
    struct Entry {
        std::unique_ptr<QTimer> timer;
        std::function<void()> tick;
    };

    // A timer, not yet started, whose tick runs tick.
    std::pair<int, QTimer*> Add(std::function<void()> tick);
    void PostTick(int id);

    std::map<int, Entry> timers_;
    int lastId_ = 0;
};

}  // namespace qtbackend
