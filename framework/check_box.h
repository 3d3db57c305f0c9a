// A check box. Changing Checked, from code or by the user's click, runs OnClick when, and only when, the
// state changes.
#pragma once

#include "framework/captioned.h"

class TCheckBox : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;

    bool Checked() const { return checked_; }
    void SetChecked(bool value) { Apply(checked_, value, widgetset::Aspect::Checked, OnClick()); }
    // A click toggles the state; OnClick runs through the state's change.
    void Click() override { SetChecked(!checked_); }

  private:
    bool checked_ = false;
};
