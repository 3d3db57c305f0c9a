#include "platform/win32/button_peer.h"

namespace win32backend {

ButtonPeer::ButtonPeer(TButton& button)
    : CaptionedPeer(button, {.className = "BUTTON", .style = WS_TABSTOP | BS_PUSHBUTTON}) {}

// BN_CLICKED comes from the user only: nothing here clicks the button from code.
LRESULT ButtonPeer::Notified(UINT code, const NMHDR*) {
    if (code == BN_CLICKED) object_.UserClick();
    return 0;
}

}  // namespace win32backend
