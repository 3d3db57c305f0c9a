// TDateTimePicker: a DatePickerWidget in the locale's short format with a calendar to drop down. A date the
// user picks goes to the control; a date set from code is shown without being reported back.
#pragma once

#include "framework/date_time_picker.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/date_picker_widget.h"

namespace qtbackend {

class DatePickerPeer : public TypedPeer<TDateTimePicker, DatePickerWidget> {
  public:
    explicit DatePickerPeer(TDateTimePicker& picker);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;

  private:
    void UserChanged(const QDate& date);
    void ShowDate();
    // The format is chosen again whenever the room for it or the font changes.
    void ShowFormat();
};

}  // namespace qtbackend
