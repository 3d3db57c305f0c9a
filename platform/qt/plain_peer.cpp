#include "platform/qt/plain_peer.h"

namespace qtbackend {

PlainPeer::PlainPeer(TControl& control, bool everShown) : TypedPeer(control), everShown_(everShown) {
    View()->setAccessibleName(QString::fromStdString(control.Name()));
}

void PlainPeer::ShowVisible() { View()->setVisible(everShown_ && Object().Visible()); }

}  // namespace qtbackend
