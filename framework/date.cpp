#include "framework/date.h"

#include <charconv>
#include <cstdio>

#include "framework/exceptions.h"

SYSTEMTIME ToSystemTime(std::chrono::local_time<std::chrono::milliseconds> moment) {
    using namespace std::chrono;
    const local_days day = floor<days>(moment);
    const year_month_day date{day};
    // Plain division rather than hh_mm_ss: the clock is read at every check, and hh_mm_ss costs many
    // times more in a build without optimisation.
    const long long sinceMidnight = (moment - day).count();
    SYSTEMTIME result{};
    result.wYear = static_cast<WORD>(int{date.year()});
    result.wMonth = static_cast<WORD>(unsigned{date.month()});
    result.wDay = static_cast<WORD>(unsigned{date.day()});
    result.wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
    result.wHour = static_cast<WORD>(sinceMidnight / 3'600'000);
    result.wMinute = static_cast<WORD>(sinceMidnight / 60'000 % 60);
    result.wSecond = static_cast<WORD>(sinceMidnight / 1000 % 60);
    result.wMilliseconds = static_cast<WORD>(sinceMidnight % 1000);
    return result;
}

bool IsValidDate(WORD year, WORD month, WORD day) {
    static constexpr WORD kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const WORD last = month == 2 && leap ? 29 : kDaysInMonth[month - 1];
    return day <= last;
}

TDate EncodeDate(WORD year, WORD month, WORD day) {
    if (!IsValidDate(year, month, day)) {
        throw Exception("Invalid date: " + std::to_string(year) + "-" + std::to_string(month) + "-" +
                        std::to_string(day));
    }
    return TDate{year, month, day};
}

void DecodeDate(const TDate& date, WORD& year, WORD& month, WORD& day) {
    year = date.Year;
    month = date.Month;
    day = date.Day;
}

std::string DateToIso(const TDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{date.Year}, unsigned{date.Month},
                  unsigned{date.Day});
    return text;
}

TDate IsoToDate(const std::string& text) {
    unsigned parts[3] = {};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        auto [next, error] = std::from_chars(at, end, parts[i]);
        const bool separatorOk = i == 2 ? next == end : (next != end && *next == '-');
        if (error != std::errc{} || !separatorOk || parts[i] > 9999) {
            throw Exception("Invalid date '" + text + "': expected YYYY-MM-DD");
        }
        at = next + 1;
    }
    return EncodeDate(static_cast<WORD>(parts[0]), static_cast<WORD>(parts[1]), static_cast<WORD>(parts[2]));
}
