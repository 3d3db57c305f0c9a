// The local reading of a universal time, through the C library's time zone (TZ, else the system's).
#include <time.h>

#include "platform/posix/core/win32_api.h"

BOOL WINAPI SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* universal,
                                            SYSTEMTIME* local) {
    if (zone != nullptr || universal == nullptr || local == nullptr) return FALSE;
    tm parts{};
    parts.tm_year = universal->wYear - 1900;
    parts.tm_mon = universal->wMonth - 1;
    parts.tm_mday = universal->wDay;
    parts.tm_hour = universal->wHour;
    parts.tm_min = universal->wMinute;
    parts.tm_sec = universal->wSecond;
    const time_t instant = timegm(&parts);
    tm reading{};
    if (instant == static_cast<time_t>(-1) || localtime_r(&instant, &reading) == nullptr) return FALSE;
    *local = {static_cast<WORD>(reading.tm_year + 1900), static_cast<WORD>(reading.tm_mon + 1),
              static_cast<WORD>(reading.tm_wday),        static_cast<WORD>(reading.tm_mday),
              static_cast<WORD>(reading.tm_hour),        static_cast<WORD>(reading.tm_min),
              static_cast<WORD>(reading.tm_sec),         universal->wMilliseconds};
    return TRUE;
}
