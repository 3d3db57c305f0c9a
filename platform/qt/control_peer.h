// The base of every Qt peer: one widget that shows its framework control. The control holds all state;
// the peer reads it when told which aspect changed, and reports the user's actions back to the control.
#pragma once

#include <QPointer>
#include <QWidget>

#include "framework/control.h"

namespace qtbackend {

class ControlPeer : public widgetset::ControlPeer {
  public:
    // The widget, created by the derived peer inside its parent's widget, becomes the peer's.
    ControlPeer(TControl& control, QWidget* widget);
    ~ControlPeer() override;

    void Changed(widgetset::Aspect aspect) override;
    HWND Handle() override;

    // Shows every aspect of the control, as after its creation.
    void ShowAll();
    QWidget* Widget() const { return widget_; }
    TControl& Control() const { return control_; }

  protected:
    // The aspects a kind of control shows its own way; the base shows bounds, visibility, enabled state,
    // hints and fonts.
    virtual void ShowAspect(widgetset::Aspect aspect);
    virtual void ShowBounds();
    virtual void ShowVisible();

  private:
    void ShowHint();
    void ShowFont();
    // Aspects that children inherit (ParentShowHint, ParentFont) are shown again on them.
    void ShowOnChildren(widgetset::Aspect aspect);

    TControl& control_;
    QPointer<QWidget> widget_;
    HWND handle_ = nullptr;
};

// The peer of a control whose peer exists; the widget in which its children are created.
ControlPeer& PeerOf(TControl& control);
QWidget* ParentWidgetOf(const TControl& control);

}  // namespace qtbackend
