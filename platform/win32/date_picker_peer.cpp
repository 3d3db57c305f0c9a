// <commctrl.h> builds on the Windows declarations, which come with the peers' base.
#include "platform/win32/control_peer.h"

#include <commctrl.h>

#include "framework/date_time_picker.h"
#include "framework/widgetset/peer_kinds.h"

namespace win32backend {

namespace {

// TDateTimePicker: a SysDateTimePick32 in the short date format with the century. A date the user picks
// goes to the control; a date set from code is shown without being reported back.
class DatePickerPeer : public TypedPeer<TDateTimePicker> {
  public:
    explicit DatePickerPeer(TDateTimePicker& picker)
        : TypedPeer(picker,
                    {.className = DATETIMEPICK_CLASSA, .style = WS_TABSTOP | DTS_SHORTDATECENTURYFORMAT}) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::Date) ShowDate();
    }

    LRESULT Notified(UINT code, const NMHDR* header) override {
        if (code != DTN_DATETIMECHANGE || header == nullptr) return 0;
        const auto& change = *reinterpret_cast<const NMDATETIMECHANGE*>(header);
        if (change.dwFlags != GDT_VALID) return 0;
        Object().UserSetDate({change.st.wYear, change.st.wMonth, change.st.wDay});
        return 0;
    }

  private:
    void ShowDate() {
        SYSTEMTIME time{};
        const TDate& date = Object().Date();
        time.wYear = date.Year;
        time.wMonth = date.Month;
        time.wDay = date.Day;
        SendMessageA(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
};

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TDateTimePicker& picker) {
    return std::make_unique<win32backend::DatePickerPeer>(picker);
}
