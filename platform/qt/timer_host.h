// The widgetset's timers on the interface thread, each running its tick: Qt timers of one object, and for
// the wall clock's marks timers of the system's clock that Qt's loop watches.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "platform/posix/clock/wall_clock_timer.h"

namespace qtbackend {

class TimerHost : public QObject {
  public:
    // Each returns the timer's id, never 0. An animation's ticks go on inside a wait that keeps the
    // interface alive; the others' are held until its end (interface_wait.h).
    int Start(unsigned intervalMs, std::function<void()> tick, bool animation = false);
    // Ticks on the wall clock's marks of that interval (framework/timer_marks.h), and at once when the
    // clock is set or the system resumes.
    int StartWallClock(unsigned intervalMs, std::function<void()> tick);
    void Stop(int id);

  private:
    struct Entry {
        std::function<void()> tick;
        std::unique_ptr<QTimer> timer;  // an interval timer's
        // A wall-clock timer's, and the loop's watch on it, destroyed before it. One descriptor a timer: each
        // keeps its own marks, and the program has one such timer.
        std::unique_ptr<posix::WallClockTimer> wallClock;
        std::unique_ptr<QSocketNotifier> wallClockWatch;
        bool animation = false;
    };

    int Add(Entry entry);
    void PostTick(int id);
    void Tick(int id);

    std::map<int, Entry> timers_;
    // The timers with a tick held: one each, as the system's timers coalesce theirs.
    std::set<int> held_;
    int lastId_ = 0;
};

}  // namespace qtbackend
