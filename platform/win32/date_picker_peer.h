// TDateTimePicker: a SysDateTimePick32 in the short date format with the century. A date the user picks
// goes to the control; a date set from code is shown without being reported back.
#pragma once

#include "framework/date_time_picker.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

class DatePickerPeer : public TypedPeer<TDateTimePicker> {
  public:
    explicit DatePickerPeer(TDateTimePicker& picker);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    LRESULT Notified(UINT code, const NMHDR* header) override;

  private:
    void ShowDate();
};

}  // namespace win32backend
