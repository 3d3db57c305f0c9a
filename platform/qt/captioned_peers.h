// The peers of controls with a caption: the framework object shown by a widget of type WidgetKind created
// in the parent's widget, with the caption on it and, without its access-key marks, as its accessible name.
// The captioned controls with little of their own (buttons, panels, group boxes, labels) are here too.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <string>

#include "framework/captioned.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/group_box_widget.h"

namespace qtbackend {

template <class ControlKind, class WidgetKind>
class CaptionedPeer : public TypedPeer<ControlKind, WidgetKind> {
  public:
    explicit CaptionedPeer(ControlKind& control) : TypedPeer<ControlKind, WidgetKind>(control) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Caption) return;
        ShowCaption(this->Object().Caption());
        // A container without a caption (a bare panel) is known by its component name.
        const QString name = WithoutAccessKey(this->Object().Caption()).trimmed();
        this->View()->setAccessibleName(name.isEmpty() ? ToQString(this->Object().Name()) : name);
    }
    // Qt marks access keys with '&' too, so most widgets take the caption as it is.
    // Widgets without setText show it their own way, in an override.
    virtual void ShowCaption(const std::string& caption) {
        if constexpr (requires(WidgetKind & widget) { widget.setText(QString()); }) {
            this->View()->setText(ToQString(caption));
        }
    }
};

// TButton: a QPushButton whose click is the user's click on the control; Enter presses a focused button,
// as Space does.
class ButtonPeer : public CaptionedPeer<TButton, QPushButton> {
  public:
    explicit ButtonPeer(TButton& button);
};

// TPanel: a raised frame with its caption centred; a QLabel is exactly that, and children sit on it.
class PanelPeer : public CaptionedPeer<TPanel, QLabel> {
  public:
    explicit PanelPeer(TPanel& panel);
};

// TGroupBox: a GroupBoxWidget with the caption as its title; children sit at the layout's positions in it.
class GroupBoxPeer : public CaptionedPeer<TGroupBox, GroupBoxWidget> {
  public:
    using CaptionedPeer::CaptionedPeer;

  protected:
    void ShowCaption(const std::string& caption) override;
};

// TLabel: a QLabel, as large as its text needs at least (a label sizes itself to its text by default).
// Its access key moves the focus to the field it names (field_names.h sets the buddy).
class LabelPeer : public CaptionedPeer<TLabel, QLabel> {
  public:
    explicit LabelPeer(TLabel& label);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
};

}  // namespace qtbackend
