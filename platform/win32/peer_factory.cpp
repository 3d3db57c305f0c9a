#include "platform/win32/peer_factory.h"

#include <commctrl.h>

#include "framework/media_player.h"
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

template <class Control>
Control* As(TControl& control) {
    return control.InheritsFrom(Control::Class) ? &static_cast<Control&>(control) : nullptr;
}

std::unique_ptr<ControlPeer> NewPeer(TControl& control) {
    if (auto* form = As<TForm>(control)) return std::make_unique<FormPeer>(*form);
    if (auto* groupBox = As<TGroupBox>(control)) return std::make_unique<GroupBoxPeer>(*groupBox);
    if (auto* panel = As<TPanel>(control)) return std::make_unique<PanelPeer>(*panel);
    if (auto* label = As<TLabel>(control)) return std::make_unique<LabelPeer>(*label);
    if (auto* image = As<TImage>(control)) return std::make_unique<ImagePeer>(*image);
    if (auto* button = As<TButton>(control)) return std::make_unique<ButtonPeer>(*button);
    if (auto* checkBox = As<TCheckBox>(control)) return std::make_unique<CheckBoxPeer>(*checkBox);
    if (auto* edit = As<TEdit>(control)) return std::make_unique<EditPeer>(*edit);
    if (auto* picker = As<TDateTimePicker>(control)) return std::make_unique<DatePickerPeer>(*picker);
    return std::make_unique<PlainPeer>(control, !control.InheritsFrom(TMediaPlayer::Class));
}

}  // namespace

std::unique_ptr<ControlPeer> CreateControlPeer(TControl& control) {
    // The date picker and the tooltips are common controls.
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)commonControls;
    auto peer = NewPeer(control);
    peer->ShowAll();
    return peer;
}

}  // namespace win32backend
