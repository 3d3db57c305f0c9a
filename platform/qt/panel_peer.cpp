#include "platform/qt/panel_peer.h"

namespace qtbackend {

PanelPeer::PanelPeer(TPanel& panel) : CaptionedPeer(panel) {
    view_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    view_->setAlignment(Qt::AlignCenter);
}

}  // namespace qtbackend
