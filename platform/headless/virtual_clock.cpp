#include "platform/headless/virtual_clock.h"

#include <stdexcept>

#include "framework/date.h"

namespace headless {

using namespace std::chrono;

void VirtualClock::SetLocalTime(int year, unsigned month, unsigned day, unsigned hour, unsigned minute,
                                unsigned second) {
    const year_month_day date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        throw std::invalid_argument("VirtualClock::SetLocalTime: no such local time");
    }
    Set(sys_days{date} + hours{hour} + minutes{minute} + seconds{second});
}

// The virtual clock's time points are local readings.
SYSTEMTIME VirtualClock::LocalTime() const {
    return ToSystemTime(local_time<milliseconds>{now_.time_since_epoch()});
}

}  // namespace headless
