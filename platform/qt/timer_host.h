// The widgetset's timers: Qt timers of one object on the interface thread, each running its tick.
#pragma once

#include <QObject>
#include <functional>
#include <map>

namespace qtbackend {

class TimerHost : public QObject {
  public:
    // Returns the timer's id, never 0.
    int Start(unsigned intervalMs, std::function<void()> tick);
    void Stop(int id);

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    std::map<int, std::function<void()>> ticks_;
};

}  // namespace qtbackend
