// The base of the peers that show their control on a screen (the desktop back ends'): which part of the
// control's state each aspect shows is decided here once, and each back end shows every part its own way.
#pragma once

#include <string>

#include "framework/widgetset/widgetset.h"

namespace widgetset {

class ScreenPeer : public ControlPeer {
  public:
    void Changed(Aspect aspect) override;
    // Shows every aspect of the control, as after its creation.
    void ShowAll();
    TControl& Control() const { return control_; }

  protected:
    // A control that works unseen (a media player plays through the back end's media device) is never
    // shown, whatever its Visible says.
    explicit ScreenPeer(TControl& control, bool everShown = true) : control_(control), everShown_(everShown) {}

    // Whether the control's window is to be seen now.
    bool Shown() const;

    // The aspects a kind of control shows its own way; the base shows bounds, visibility, enabled state,
    // hints and fonts.
    virtual void ShowAspect(Aspect aspect);
    virtual void ShowBounds() = 0;
    virtual void ShowVisible() = 0;
    virtual void ShowEnabled() = 0;
    // The control's hint, or nothing where neither it nor the parent it follows shows hints.
    virtual void ShowHint(const std::string& hint) = 0;
    virtual void ShowFont() = 0;

  private:
    // Aspects that children inherit (ParentShowHint, ParentFont) are shown again on them.
    void ShowOnChildren(Aspect aspect);

    TControl& control_;
    const bool everShown_;
};

}  // namespace widgetset
