#include "platform/qt/owner_window.h"

#include "framework/win_control.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

QWidget* VisibleWindowOf(HWND handle) {
    TWinControl* control = handle != nullptr ? TWinControl::FindControl(handle) : nullptr;
    if (control == nullptr || !control->HasPeer()) return nullptr;
    QWidget* widget = PeerOf(*control).Widget();
    return widget != nullptr && widget->window()->isVisible() ? widget->window() : nullptr;
}

}  // namespace qtbackend
