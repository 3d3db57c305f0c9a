// TDateTimePicker: a QDateEdit in the locale's short format with a calendar to drop down. A date the user
// picks goes to the control; a date set from code is shown without being reported back.
#pragma once

#include <QDateEdit>

#include "framework/date_time_picker.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

class DatePickerPeer : public TypedPeer<TDateTimePicker, QDateEdit> {
  public:
    explicit DatePickerPeer(TDateTimePicker& picker);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;

  private:
    void UserChanged(const QDate& date);
    void ShowDate();
};

}  // namespace qtbackend
