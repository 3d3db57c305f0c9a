// The peers of controls with a caption: the native window's text is the caption, '&' marking the access
// key as the system's controls read it. The captioned controls with little of their own (buttons, panels,
// group boxes, labels) are here too.
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

// TButton: a push button of the system's BUTTON class; its click is the user's click on the control.
class ButtonPeer : public CaptionedPeer<TButton> {
  public:
    explicit ButtonPeer(TButton& button);

  protected:
    LRESULT Notified(UINT code, const NMHDR* header) override;
};

// TPanel: a raised STATIC with its caption centred; children sit on it, and their reports to it are
// routed like a form's.
class PanelPeer : public CaptionedPeer<TPanel> {
  public:
    explicit PanelPeer(TPanel& panel);
};

// TGroupBox: a BUTTON of the group-box style with the caption as its title; children sit in it at the
// layout's positions, and their reports to it are routed like a form's. The class paints only the frame
// and the title, so the box fills its inside with the dialog colour itself.
class GroupBoxPeer : public CaptionedPeer<TGroupBox> {
  public:
    explicit GroupBoxPeer(TGroupBox& groupBox);

    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// TLabel: a STATIC text, at least as large as its text needs (the layout was measured with another font,
// and a clipped label would lose its end and its access key). Its access key moves the focus to the
// field it names (tab_order.h puts it right before that field).
class LabelPeer : public CaptionedPeer<TLabel> {
  public:
    explicit LabelPeer(TLabel& label);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
};

}  // namespace win32backend
