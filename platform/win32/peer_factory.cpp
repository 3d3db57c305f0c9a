#include "platform/win32/peer_factory.h"

#include <commctrl.h>

#include "framework/peer_kinds.h"
#include "platform/win32/captioned_peers.h"
#include "platform/win32/check_box_peer.h"
#include "platform/win32/date_picker_peer.h"
#include "platform/win32/edit_peer.h"
#include "platform/win32/form_peer.h"
#include "platform/win32/image_peer.h"
#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

// Controls with nothing of their own to show: a plain window that holds children at their positions.
// A media player's window is never shown: it plays through the back end's media device.
class PlainPeer : public ControlPeer {
  public:
    PlainPeer(TControl& control, bool everShown)
        : ControlPeer(
              control,
              {.className = PlainWindowClass(), .style = WS_CLIPCHILDREN, .exStyle = WS_EX_CONTROLPARENT}),
          everShown_(everShown) {}

  protected:
    void ShowVisible() override {
        ShowWindow(Handle(), everShown_ && Control().Visible() ? SW_SHOWNA : SW_HIDE);
    }

  private:
    const bool everShown_;
};

struct Peers {
    using Base = ControlPeer;
    using Form = FormPeer;
    using GroupBox = GroupBoxPeer;
    using Panel = PanelPeer;
    using Label = LabelPeer;
    using Image = ImagePeer;
    using Button = ButtonPeer;
    using CheckBox = CheckBoxPeer;
    using Edit = EditPeer;
    using DatePicker = DatePickerPeer;
    using Plain = PlainPeer;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateControlPeer(TControl& control) {
    // The date picker and the tooltips are common controls.
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)commonControls;
    auto peer = peer_kinds::NewPeer<Peers>(control);
    peer->ShowAll();
    return peer;
}

}  // namespace win32backend
