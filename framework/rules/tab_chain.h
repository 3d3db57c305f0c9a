// The tab chain of a form, which both desktop back ends follow: within each parent, the windowed controls
// in TabOrder (those without one after the others, in creation order), a label that names a field
// (field_name.h) right before the first field it names, so that its access key leads there, and the
// other controls after them; a container's chain comes where the container stands. Only controls with a
// peer take part; each back end leaves out those its toolkit gives no focus.
#pragma once

#include <vector>

#include "framework/win_control.h"

// The controls of parent in the chain's order, without their own controls.
std::vector<TControl*> ChildrenInTabOrder(const TWinControl& parent);
// The whole chain below root: each control followed by its own controls' chain.
std::vector<TControl*> TabChain(const TWinControl& root);
