// TPanel: a raised frame with its caption centred; a QLabel is exactly that, and children sit on it.
#pragma once

#include <QLabel>

#include "framework/captioned.h"
#include "platform/qt/captioned_peers.h"

namespace qtbackend {

class PanelPeer : public CaptionedPeer<TPanel, QLabel> {
  public:
    explicit PanelPeer(TPanel& panel);
};

}  // namespace qtbackend
