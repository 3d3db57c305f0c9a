// The Win32 functions whose headless answers come from the desktop: the clock and message boxes.
#include "platform/headless/desktop.h"

void WINAPI GetLocalTime(SYSTEMTIME* time) { *time = headless::Desktop::Instance().Clock().LocalTime(); }

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return headless::Desktop::Instance().Script().ShowMessageBox(
        {owner, text != nullptr ? text : "", caption != nullptr ? caption : "Error", type});
}
