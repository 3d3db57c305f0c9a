#include "platform/win32/group_box_peer.h"

namespace win32backend {

// WS_EX_CONTROLPARENT: the dialog manager's tab chain and access keys go into the box's children.
GroupBoxPeer::GroupBoxPeer(TGroupBox& groupBox)
    : CaptionedPeer(groupBox, {.className = "BUTTON", .style = BS_GROUPBOX, .exStyle = WS_EX_CONTROLPARENT}) {}

}  // namespace win32backend
