#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/control_peer.h"
#include "platform/win32/window_classes.h"

// Controls with nothing of their own to show: a plain window that holds children at their positions.
peer_kinds::Peer peer_kinds::MakePeer(TControl& control, bool everShown) {
    return std::make_unique<win32backend::ControlPeer>(
        control,
        win32backend::WindowKind{.className = win32backend::PlainWindowClass(),
                                 .style = WS_CLIPCHILDREN,
                                 .exStyle = WS_EX_CONTROLPARENT},
        everShown);
}
