// The peers of controls with a caption: the native window's text is the caption, '&' marking the access
// key as the system's controls read it.
#pragma once

#include "platform/win32/control_peer.h"

namespace win32backend {

template <class Object>
class CaptionedPeer : public ControlPeer {
  public:
    CaptionedPeer(Object& object, const WindowKind& kind) : ControlPeer(object, kind), object_(object) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::Caption) ShowText(object_.Caption());
    }

    Object& object_;
};

}  // namespace win32backend
