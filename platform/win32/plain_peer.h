// Controls with nothing of their own to show: a plain window that holds children at their positions.
// A media player's window is never shown: it plays through the back end's media device.
#pragma once

#include "platform/win32/control_peer.h"

namespace win32backend {

class PlainPeer : public ControlPeer {
  public:
    PlainPeer(TControl& control, bool everShown);

  protected:
    void ShowVisible() override;

  private:
    const bool everShown_;
};

}  // namespace win32backend
