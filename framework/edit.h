// A one-line edit field. Changing Text, from code or by the user's typing, runs OnChange when the text
// changes. MaxLength limits typing only: text set from code is kept whole.
#pragma once

#include <string>

#include "framework/win_control.h"

class TEdit : public TWinControl {
    DECLARE_CLASS_INFO
  public:
    using TWinControl::TWinControl;

    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& value) { ApplyCaption(value, onChange_); }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { Apply(maxLength_, value, widgetset::Aspect::MaxLength); }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

    // What a peer calls with the field's new text after the user typed; text longer than MaxLength is
    // refused, as the field refuses a further keystroke, and the kept text is shown again.
    void UserEditText(const std::string& text);

  private:
    int maxLength_ = 0;
    TNotifyEvent onChange_;
};
