// The base of the peers of controls with a caption: the native window's text is the caption, '&' marking
// the access key as the system's controls read it.
#pragma once

#include "framework/captioned.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

template <class ControlKind>
class CaptionedPeer : public TypedPeer<ControlKind> {
  public:
    CaptionedPeer(ControlKind& control, const WindowKind& kind) : TypedPeer<ControlKind>(control, kind) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::Caption) this->ShowText(this->Object().Caption());
    }
};

}  // namespace win32backend
