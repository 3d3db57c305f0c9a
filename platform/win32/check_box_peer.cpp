#include "framework/check_box.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/captioned_peer.h"

namespace win32backend {

namespace {

// TCheckBox: a check box of the BUTTON class that does not tick itself: a click goes to the control,
// whose Checked setter decides the state shown. A state set from code (BM_SETCHECK) reports nothing.
class CheckBoxPeer : public CaptionedPeer<TCheckBox> {
  public:
    explicit CheckBoxPeer(TCheckBox& checkBox)
        : CaptionedPeer(checkBox,
                        {.className = "BUTTON", .style = WS_TABSTOP | BS_CHECKBOX, .click = BN_CLICKED}) {}

  protected:
    // The box and the gap after it.
    int DrawnBesideText() const override { return Scaled(13 + 4); }
    void ShowAspect(widgetset::Aspect aspect) override {
        if (aspect != widgetset::Aspect::Checked) return CaptionedPeer::ShowAspect(aspect);
        SendMessageA(Handle(), BM_SETCHECK, Object().Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TCheckBox& checkBox) {
    return std::make_unique<win32backend::CheckBoxPeer>(checkBox);
}
