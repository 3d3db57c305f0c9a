// TPanel: a raised STATIC with its caption centred; children sit on it, and their reports to it are
// routed like a form's.
#pragma once

#include "framework/captioned.h"
#include "platform/win32/captioned_peer.h"

namespace win32backend {

class PanelPeer : public CaptionedPeer<TPanel> {
  public:
    explicit PanelPeer(TPanel& panel);
};

}  // namespace win32backend
