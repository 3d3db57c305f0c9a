// The base of the peers of controls with a caption: the native window's text is the caption, '&' marking
// the access key as the system's controls read it, in the font fitted to the room the layout leaves it.
#pragma once

#include "framework/captioned.h"
#include "framework/rules/access_key.h"
#include "framework/rules/caption_room.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/fonts.h"
#include "platform/win32/screen_scale.h"

namespace win32backend {

template <class ControlKind>
class CaptionedPeer : public TypedPeer<ControlKind> {
  public:
    CaptionedPeer(ControlKind& control, const WindowKind& kind) : TypedPeer<ControlKind>(control, kind) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Caption) return;
        this->ShowText(this->Object().Caption());
        ShowFont();  // fitted to the new text
    }

    // What the control draws in the caption's room besides the text, in screen pixels.
    virtual int DrawnBesideText() const { return 0; }

  private:
    void ShowFont() override {
        const int room = Scaled(CaptionRoom(this->Object())) - DrawnBesideText();
        HFONT font = FittedToText(this->Object().Font(), WithoutAccessKey(this->Object().Caption()), room);
        SendMessageA(this->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
};

}  // namespace win32backend
