// The Win32 functions whose headless answers come from the desktop: the clock and message boxes.
#include "framework/date.h"
#include "platform/headless/desktop.h"

void WINAPI GetLocalTime(SYSTEMTIME* time) { *time = headless::Desktop::Instance().Clock().LocalTime(); }

void WINAPI GetSystemTime(SYSTEMTIME* time) { *time = headless::Desktop::Instance().Clock().UniversalTime(); }

// Through the virtual clock's zone.
BOOL WINAPI SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* universal,
                                            SYSTEMTIME* local) {
    if (zone != nullptr || universal == nullptr || local == nullptr) return FALSE;
    const TDate date{universal->wYear, universal->wMonth, universal->wDay};
    const auto day = std::chrono::sys_days{std::chrono::year{date.Year} / date.Month / date.Day};
    *local = headless::Desktop::Instance().Clock().LocalTimeAt(
        day + std::chrono::hours{universal->wHour} + std::chrono::minutes{universal->wMinute} +
        std::chrono::seconds{universal->wSecond} + std::chrono::milliseconds{universal->wMilliseconds});
    return TRUE;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return headless::Desktop::Instance().Script().ShowMessageBox(
        {owner, text != nullptr ? text : "", caption != nullptr ? caption : "Error", type});
}
