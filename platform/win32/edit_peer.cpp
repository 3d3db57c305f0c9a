#include "framework/edit.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

namespace {

// TEdit: an EDIT control. What the user types goes to the control; text set from code is shown without
// being reported back (the EN_CHANGE that WM_SETTEXT sends is recognised as our own), and MaxLength limits
// typing only, as EM_LIMITTEXT does.
class EditPeer : public TypedPeer<TEdit> {
  public:
    explicit EditPeer(TEdit& edit)
        : TypedPeer(edit,
                    {.className = "EDIT", .style = WS_TABSTOP | ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE}) {}

  protected:
    LRESULT Notified(UINT code, const NMHDR*) override {
        if (code == EN_CHANGE && !SettingFromCode()) Object().UserEditText(WindowText());
        return 0;
    }

    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect == widgetset::Aspect::MaxLength) {
            SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Object().MaxLength()), 0);
        } else if (aspect == widgetset::Aspect::Caption && WindowText() != Object().Text()) {
            // Compared first, so that the text the user just typed keeps its caret and undo.
            ShowText(Object().Text());
        }
    }
};

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TEdit& edit) { return std::make_unique<win32backend::EditPeer>(edit); }
