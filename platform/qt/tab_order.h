// The tab chain of a form: within each parent, controls in TabOrder (those without one after the others,
// in creation order); a container's controls come where the container stands.
#pragma once

#include "framework/win_control.h"

namespace qtbackend {

// Orders the chain over the peers that exist.
void OrderTabChain(TWinControl& root);

}  // namespace qtbackend
