// The form's tab chain (framework/rules/tab_chain.h) given to Qt, over the widgets that take the focus by
// Tab.
#pragma once

#include "framework/win_control.h"

namespace qtbackend {

// Orders the chain over the peers that exist.
void OrderTabChain(TWinControl& root);

}  // namespace qtbackend
