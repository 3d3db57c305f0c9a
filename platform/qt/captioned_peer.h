// The peers of controls with a caption: the framework object shown by a widget of type View created in
// the parent's widget, with the caption on it and, without its access-key marks, as its accessible name.
#pragma once

#include <string>

#include "platform/qt/captions.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

template <class Object, class View>
class CaptionedPeer : public ControlPeer {
  public:
    explicit CaptionedPeer(Object& object)
        : ControlPeer(object, new View(ParentWidgetOf(object))),
          object_(object),
          view_(static_cast<View*>(Widget())) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Caption) return;
        ShowCaption(object_.Caption());
        // A container without a caption (a bare panel) is known by its component name.
        const QString name = WithoutAccessKey(object_.Caption()).trimmed();
        view_->setAccessibleName(name.isEmpty() ? ToQString(object_.Name()) : name);
    }
    // Qt marks access keys with '&' too, so most widgets take the caption as it is.
    // Views without setText show it their own way, in an override.
    virtual void ShowCaption(const std::string& caption) {
        if constexpr (requires(View & view) { view.setText(QString()); }) view_->setText(ToQString(caption));
    }

    Object& object_;
    View* const view_;
};

}  // namespace qtbackend
