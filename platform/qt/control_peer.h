// The base of every Qt peer: one widget that shows its framework control. The control holds all state;
// the peer reads it when told which aspect changed, and reports the user's actions back to the control.
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <string>

#include "framework/control.h"
#include "framework/widgetset/screen_peer.h"

namespace qtbackend {

class ControlPeer : public widgetset::ScreenPeer {
  public:
    ~ControlPeer() override;

    // Nothing is shown once a parent's widget, deleted first, took this one with it.
    void Changed(widgetset::Aspect aspect) override;
    HWND Handle() override;

    QWidget* Widget() const { return widget_; }

  protected:
    // The widget, created inside its parent's widget, becomes the peer's. The peers of each kind of control
    // derive from TypedPeer.
    ControlPeer(TControl& control, QWidget* widget, bool everShown = true);

    void ShowBounds() override;
    void ShowVisible() override;
    void ShowFont() final;

    // The font the widget shows; a captioned control's is fitted to its caption.
    virtual QFont FontToShow() const;
    // Measuring a font loads its face and the system's list of families, which a window that stays hidden
    // (an armed start's) never needs: a widget gets its font as it first shows, and its size or format
    // fitted to a text waits for that too.
    bool FontShown() const { return fontShown_; }

  private:
    void ShowEnabled() override;
    void ShowHint(const std::string& hint) override;
    void ShowFirstFont();

    QPointer<QWidget> widget_;
    HWND handle_ = nullptr;
    bool fontShown_ = false;
};

// The peer of a control whose peer exists; the widget in which its children are created.
ControlPeer& PeerOf(TControl& control);
QWidget* ParentWidgetOf(const TControl& control);

// The base of each kind of peer: a control of type ControlKind shown by a widget of type WidgetKind, both
// held once, by ControlPeer, and reached here with their own types.
template <class ControlKind, class WidgetKind>
class TypedPeer : public ControlPeer {
  protected:
    // A widget made by the peer itself, for a kind of widget that needs more than its parent.
    TypedPeer(ControlKind& control, WidgetKind* widget) : ControlPeer(control, widget) {}
    explicit TypedPeer(ControlKind& control) : TypedPeer(control, new WidgetKind(ParentWidgetOf(control))) {}

    ControlKind& Object() const { return static_cast<ControlKind&>(Control()); }
    // Null once a parent's widget, deleted first, took this one with it.
    WidgetKind* View() const { return static_cast<WidgetKind*>(Widget()); }
};

}  // namespace qtbackend
