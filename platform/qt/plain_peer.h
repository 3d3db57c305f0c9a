// Controls with nothing of their own to show: a plain widget that holds children at their positions.
// A media player's widget is never shown: it plays through the back end's media device.
#pragma once

#include "platform/qt/control_peer.h"

namespace qtbackend {

class PlainPeer : public TypedPeer<TControl, QWidget> {
  public:
    PlainPeer(TControl& control, bool everShown);

  protected:
    void ShowVisible() override;

  private:
    const bool everShown_;
};

}  // namespace qtbackend
