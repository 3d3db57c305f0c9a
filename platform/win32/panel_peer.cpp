#include "platform/win32/panel_peer.h"

namespace win32backend {

// WS_EX_CONTROLPARENT: the dialog manager's tab chain and access keys go into the panel's children.
PanelPeer::PanelPeer(TPanel& panel)
    : CaptionedPeer(panel, {.className = "STATIC",
                            .style = SS_CENTER | SS_CENTERIMAGE | WS_CLIPCHILDREN,
                            .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME}) {}

}  // namespace win32backend
