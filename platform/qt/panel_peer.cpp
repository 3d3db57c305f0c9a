#include "platform/qt/panel_peer.h"

namespace qtbackend {

PanelPeer::PanelPeer(TPanel& panel) : CaptionedPeer(panel) {
    View()->setFrameStyle(QFrame::Panel | QFrame::Raised);
    View()->setAlignment(Qt::AlignCenter);
}

}  // namespace qtbackend
