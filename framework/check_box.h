// A check box. Changing Checked, from code or by the user's click, runs OnClick when, and only when, the
// state changes.
#pragma once

#include "framework/captioned.h"

class TCheckBox : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    using TCaptioned::TCaptioned;

    bool Checked() const { return checked_; }
    void SetChecked(bool value) {
        Apply(checked_, value, widgetset::Aspect::Checked, clicksDisabled_ ? TNotifyEvent{} : OnClick());
    }
    // While set, a change of state runs no handler: for code that restores a state whose handler would
    // ask the user again.
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }
    // A click toggles the state; OnClick runs through the state's change.
    void Click() override { SetChecked(!checked_); }
    // The user's click, which the box on the screen may have shown already.
    void UserClick() override {
        RunUserChange(widgetset::Aspect::Checked, [this] { Click(); });
    }

  private:
    bool checked_ = false;
    bool clicksDisabled_ = false;
};
