#include "platform/win32/peer_factory.h"

#include <commctrl.h>

#include "framework/media_player.h"
#include "platform/win32/button_peer.h"
#include "platform/win32/check_box_peer.h"
#include "platform/win32/date_picker_peer.h"
#include "platform/win32/edit_peer.h"
#include "platform/win32/form_peer.h"
#include "platform/win32/group_box_peer.h"
#include "platform/win32/image_peer.h"
#include "platform/win32/label_peer.h"
#include "platform/win32/panel_peer.h"
#include "platform/win32/plain_peer.h"

namespace win32backend {

namespace {

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
