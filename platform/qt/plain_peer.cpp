#include "framework/widgetset/peer_kinds.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

namespace {

// Controls with nothing of their own to show: a plain, unnamed widget that holds children at their
// positions.
class PlainPeer : public ControlPeer {
  public:
    PlainPeer(TControl& control, bool everShown)
        : ControlPeer(control, new QWidget(ParentWidgetOf(control)), everShown) {}
};

}  // namespace

}  // namespace qtbackend

peer_kinds::Peer peer_kinds::MakePeer(TControl& control, bool everShown) {
    return std::make_unique<qtbackend::PlainPeer>(control, everShown);
}
