#include "platform/qt/peer_factory.h"

#include "framework/media_player.h"
#include "platform/qt/captioned_peers.h"
#include "platform/qt/check_box_peer.h"
#include "platform/qt/date_picker_peer.h"
#include "platform/qt/edit_peer.h"
#include "platform/qt/event_loop.h"
#include "platform/qt/form_peer.h"
#include "platform/qt/image_peer.h"
#include "platform/qt/plain_peer.h"

namespace qtbackend {

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
    EnsureApplication();
    auto peer = NewPeer(control);
    peer->ShowAll();
    return peer;
}

}  // namespace qtbackend
