#include "platform/win32/edit_peer.h"

namespace win32backend {

EditPeer::EditPeer(TEdit& edit)
    : TypedPeer(edit,
                {.className = "EDIT", .style = WS_TABSTOP | ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE}) {}

void EditPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::MaxLength) {
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Object().MaxLength()), 0);
    } else if (aspect == widgetset::Aspect::Caption && WindowText() != Object().Text()) {
        // Compared first, so that the text the user just typed keeps its caret and undo.
        ShowText(Object().Text());
    }
}

LRESULT EditPeer::Notified(UINT code, const NMHDR*) {
    if (code != EN_CHANGE || SettingFromCode()) return 0;
    TEdit& edit = Object();
    HWND window = Handle();
    edit.UserEditText(WindowText());
    // A refused text (a disabled control) is replaced by the one the control holds, unless the handler
    // freed the control and this peer with it.
    if (IsWindow(window) && ControlPeer::FromWindow(window) == this && WindowText() != edit.Text()) {
        ShowText(edit.Text());
    }
    return 0;
}

}  // namespace win32backend
