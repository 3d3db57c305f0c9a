#include "platform/win32/date_picker_peer.h"

#include <commctrl.h>

namespace win32backend {

DatePickerPeer::DatePickerPeer(TDateTimePicker& picker)
    : TypedPeer(picker, {.className = DATETIMEPICK_CLASSA, .style = WS_TABSTOP | DTS_SHORTDATECENTURYFORMAT}) {}

void DatePickerPeer::ShowDate() {
    SYSTEMTIME time{};
    const TDate& date = Object().Date();
    time.wYear = date.Year;
    time.wMonth = date.Month;
    time.wDay = date.Day;
    SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void DatePickerPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Date) ShowDate();
}

LRESULT DatePickerPeer::Notified(UINT code, const NMHDR* header) {
    if (code != DTN_DATETIMECHANGE || header == nullptr) return 0;
    const auto& change = *reinterpret_cast<const NMDATETIMECHANGE*>(header);
    if (change.dwFlags != GDT_VALID) return 0;
    const TDate chosen{change.st.wYear, change.st.wMonth, change.st.wDay};
    if (chosen == Object().Date()) return 0;
    TDateTimePicker& picker = Object();
    HWND window = Handle();
    picker.UserSetDate(chosen);
    // A refused date (a disabled control) is replaced by the one the control holds.
    if (IsWindow(window) && ControlPeer::FromWindow(window) == this && picker.Date() != chosen) ShowDate();
    return 0;
}

}  // namespace win32backend
