// The Win32 peer for a framework control, showing the control's current state.
#pragma once

#include <memory>

#include "platform/win32/control_peer.h"

namespace win32backend {

std::unique_ptr<ControlPeer> CreateControlPeer(TControl& control);

}  // namespace win32backend
