#include "platform/qt/control_peer.h"

#include "framework/win_control.h"
#include "platform/posix/window_table.h"
#include "platform/qt/captions.h"
#include "platform/qt/fonts.h"

namespace qtbackend {

namespace {

bool EffectiveShowHint(const TControl& control) {
    if (control.ParentShowHint() && control.Parent() != nullptr) return EffectiveShowHint(*control.Parent());
    return control.ShowHint();
}

}  // namespace

ControlPeer::ControlPeer(TControl& control, QWidget* widget) : control_(control), widget_(widget) {}

ControlPeer::~ControlPeer() {
    if (handle_ != nullptr) DestroyWindow(handle_);
    // A parent's widget deleted first took this one with it.
    delete widget_.data();
}

HWND ControlPeer::Handle() {
    if (handle_ == nullptr) handle_ = posix::CreateWindowHandle(&ControlWindowProc);
    return handle_;
}

void ControlPeer::ShowAll() {
    using widgetset::Aspect;
    for (Aspect aspect : {Aspect::Bounds, Aspect::Enabled, Aspect::Caption, Aspect::Hint, Aspect::Font,
                          Aspect::Checked, Aspect::MaxLength, Aspect::Date, Aspect::Picture, Aspect::Visible}) {
        Changed(aspect);
    }
}

void ControlPeer::Changed(widgetset::Aspect aspect) {
    if (widget_ == nullptr) return;
    switch (aspect) {
        case widgetset::Aspect::Bounds:
            ShowBounds();
            break;
        case widgetset::Aspect::Visible:
            ShowVisible();
            break;
        case widgetset::Aspect::Enabled:
            widget_->setEnabled(control_.Enabled());
            break;
        case widgetset::Aspect::Hint:
            ShowHint();
            ShowOnChildren(aspect);
            break;
        case widgetset::Aspect::Font:
            ShowFont();
            ShowBounds();  // a size fitted to the text changes with the font
            ShowOnChildren(aspect);
            break;
        default:
            ShowAspect(aspect);
    }
}

void ControlPeer::ShowAspect(widgetset::Aspect) {}

void ControlPeer::ShowBounds() {
    widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
}

void ControlPeer::ShowVisible() { widget_->setVisible(control_.Visible()); }

void ControlPeer::ShowHint() {
    widget_->setToolTip(EffectiveShowHint(control_) ? ToQString(control_.Hint()) : QString());
}

void ControlPeer::ShowFont() { widget_->setFont(FontFor(control_.Font())); }

void ControlPeer::ShowOnChildren(widgetset::Aspect aspect) {
    if (!control_.InheritsFrom(TWinControl::Class)) return;
    const auto& parent = static_cast<const TWinControl&>(control_);
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        if (child->HasPeer()) child->Peer().Changed(aspect);
    }
}

ControlPeer& PeerOf(TControl& control) { return dynamic_cast<ControlPeer&>(control.Peer()); }

QWidget* ParentWidgetOf(const TControl& control) {
    return control.Parent() != nullptr ? PeerOf(*control.Parent()).Widget() : nullptr;
}

}  // namespace qtbackend
