#include "framework/widgetset/screen_peer.h"

#include "framework/win_control.h"

namespace widgetset {

namespace {

bool EffectiveShowHint(const TControl& control) {
    if (control.ParentShowHint() && control.Parent() != nullptr) return EffectiveShowHint(*control.Parent());
    return control.ShowHint();
}

}  // namespace

// The font first: the sizes of controls fitted to their texts depend on it, and showing it shows the bounds.
void ScreenPeer::ShowAll() {
    for (Aspect aspect : {Aspect::Font, Aspect::Enabled, Aspect::Caption, Aspect::Hint, Aspect::Checked,
                          Aspect::MaxLength, Aspect::Date, Aspect::Picture, Aspect::Visible}) {
        Changed(aspect);
    }
}

void ScreenPeer::Changed(Aspect aspect) {
    switch (aspect) {
        case Aspect::Bounds:
            ShowBounds();
            break;
        case Aspect::Visible:
            ShowVisible();
            break;
        case Aspect::Enabled:
            ShowEnabled();
            break;
        case Aspect::Hint:
            ShowHint(EffectiveShowHint(control_) ? control_.Hint() : std::string());
            ShowOnChildren(aspect);
            break;
        case Aspect::Font:
            ShowFont();
            ShowBounds();  // a size fitted to the text changes with the font
            ShowOnChildren(aspect);
            break;
        default:
            ShowAspect(aspect);
    }
}

void ScreenPeer::ShowAspect(Aspect) {}

bool ScreenPeer::Shown() const { return everShown_ && control_.Visible(); }

void ScreenPeer::ShowOnChildren(Aspect aspect) {
    if (!control_.InheritsFrom(TWinControl::Class)) return;
    const auto& parent = static_cast<const TWinControl&>(control_);
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        if (child->HasPeer()) child->Peer().Changed(aspect);
    }
}

}  // namespace widgetset
