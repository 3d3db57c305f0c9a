// A timer of the clock that wakes the computer from sleep (CLOCK_REALTIME_ALARM): setting one needs the
// capability CAP_WAKE_ALARM, and it wakes the computer only through a real-time clock that can.
#pragma once

#include <ctime>
#include <optional>
#include <string>

class RealtimeAlarmTimer {
  public:
    // Throws std::runtime_error saying why when this process may not have such a timer.
    RealtimeAlarmTimer();
    ~RealtimeAlarmTimer();
    RealtimeAlarmTimer(const RealtimeAlarmTimer&) = delete;
    RealtimeAlarmTimer& operator=(const RealtimeAlarmTimer&) = delete;

    // Wakes the computer at moment (seconds since the epoch) in place of the moment held before; none
    // releases it. Throws std::runtime_error saying why when the system refuses, the moment held before
    // staying.
    void Hold(std::optional<std::time_t> moment);
    // The moment the system holds, to the second, as it reads the timer back now; none when it holds none
    // (also once the moment has passed).
    std::optional<std::time_t> Held() const;

  private:
    void Release();

    int timer_ = -1;
};

// Why this computer cannot be woken by such a timer (it has no real-time clock that can wake it), or none.
std::optional<std::string> MissingWakeClock();
