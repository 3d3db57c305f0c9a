#include "platform/qt/peer_factory.h"

#include "framework/peer_kinds.h"
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
    EnsureApplication();
    auto peer = peer_kinds::NewPeer<Peers>(control);
    peer->ShowAll();
    return peer;
}

}  // namespace qtbackend
