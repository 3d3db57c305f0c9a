// The Qt peer for a framework control, showing the control's current state.
#pragma once

#include <memory>

#include "platform/qt/control_peer.h"

namespace qtbackend {

std::unique_ptr<ControlPeer> CreateControlPeer(TControl& control);

}  // namespace qtbackend
