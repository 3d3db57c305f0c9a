#include "platform/headless/virtual_clock.h"

#include <stdexcept>

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

SYSTEMTIME VirtualClock::LocalTime() const {
    const sys_days day = floor<days>(now_);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{now_ - day};
    SYSTEMTIME result{};
    result.wYear = static_cast<WORD>(int{date.year()});
    result.wMonth = static_cast<WORD>(unsigned{date.month()});
    result.wDay = static_cast<WORD>(unsigned{date.day()});
    result.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    result.wHour = static_cast<WORD>(time.hours().count());
    result.wMinute = static_cast<WORD>(time.minutes().count());
    result.wSecond = static_cast<WORD>(time.seconds().count());
    result.wMilliseconds = static_cast<WORD>(time.subseconds().count());
    return result;
}

}  // namespace headless
