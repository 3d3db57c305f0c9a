#include "platform/qt/control_peer.h"

#include "framework/win_control.h"
#include "platform/posix/core/window_table.h"
#include "platform/qt/captions.h"
#include "platform/qt/fonts.h"

namespace qtbackend {

ControlPeer::ControlPeer(TControl& control, QWidget* widget, bool everShown)
    : ScreenPeer(control, everShown), widget_(widget) {}

ControlPeer::~ControlPeer() {
    if (handle_ != nullptr) DestroyWindow(handle_);
    // A parent's widget deleted first took this one with it.
    delete widget_.data();
}

HWND ControlPeer::Handle() {
    if (handle_ == nullptr) handle_ = posix::CreateWindowHandle(&ControlWindowProc);
    return handle_;
}

void ControlPeer::Changed(widgetset::Aspect aspect) {
    if (widget_ != nullptr) ScreenPeer::Changed(aspect);
}

void ControlPeer::ShowBounds() {
    widget_->setGeometry(Control().Left(), Control().Top(), Control().Width(), Control().Height());
}

void ControlPeer::ShowVisible() { widget_->setVisible(Shown()); }

void ControlPeer::ShowEnabled() { widget_->setEnabled(Control().Enabled()); }

void ControlPeer::ShowHint(const std::string& hint) { widget_->setToolTip(ToQString(hint)); }

void ControlPeer::ShowFont() { widget_->setFont(FontFor(Control().Font())); }

ControlPeer& PeerOf(TControl& control) { return dynamic_cast<ControlPeer&>(control.Peer()); }

QWidget* ParentWidgetOf(const TControl& control) {
    return control.Parent() != nullptr ? PeerOf(*control.Parent()).Widget() : nullptr;
}

}  // namespace qtbackend
