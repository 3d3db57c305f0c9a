// The base of the peers of controls with a caption: the framework object shown by a widget of type
// WidgetKind created in the parent's widget, with the caption on it and, without its access-key marks, as
// its accessible name, in the font fitted to the room the layout leaves it.
#pragma once

#include <QFrame>
#include <string>
#include <type_traits>

#include "framework/captioned.h"
#include "framework/rules/caption_room.h"
#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"
#include "platform/qt/fonts.h"

namespace qtbackend {

template <class ControlKind, class WidgetKind>
class CaptionedPeer : public TypedPeer<ControlKind, WidgetKind> {
  public:
    explicit CaptionedPeer(ControlKind& control) : TypedPeer<ControlKind, WidgetKind>(control) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Caption) return;
        ShowCaption(this->Object().Caption());
        this->ShowFont();  // fitted to the new text
        // A control without a caption (a bare panel) has no name: its component name means nothing to a user.
        this->View()->setAccessibleName(WithoutAccessKey(this->Object().Caption()).trimmed());
    }
    // What the widget draws in the caption's room besides the text: a frame's width on either side.
    virtual int DrawnBesideText() const {
        if constexpr (std::is_base_of_v<QFrame, WidgetKind>) return 2 * this->View()->frameWidth();
        return 0;
    }

    // Qt marks access keys with '&' too, so most widgets take the caption as it is.
    // Widgets without setText show it their own way, in an override.
    virtual void ShowCaption(const std::string& caption) {
        if constexpr (requires(WidgetKind & widget) { widget.setText(QString()); }) {
            this->View()->setText(ToQString(caption));
        }
    }

    QFont FontToShow() const override {
        const int room = CaptionRoom(this->Object()) - DrawnBesideText();
        return FittedToText(ControlPeer::FontToShow(), WithoutAccessKey(this->Object().Caption()), room);
    }
};

}  // namespace qtbackend
