#include "platform/win32/check_box_peer.h"

namespace win32backend {

CheckBoxPeer::CheckBoxPeer(TCheckBox& checkBox)
    : CaptionedPeer(checkBox, {.className = "BUTTON", .style = WS_TABSTOP | BS_CHECKBOX}) {}

void CheckBoxPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Checked) {
        SendMessageA(Handle(), BM_SETCHECK, Object().Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    CaptionedPeer::ShowAspect(aspect);
}

LRESULT CheckBoxPeer::Notified(UINT code, const NMHDR*) {
    if (code == BN_CLICKED) Object().UserClick();
    return 0;
}

}  // namespace win32backend
