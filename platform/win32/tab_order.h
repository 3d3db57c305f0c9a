// The tab chain of a form, which the dialog manager takes from the windows' order: within each parent,
// windowed controls in TabOrder (those without one after the others, in creation order). A label that names a
// field (framework/field_namer.h) stands right before it, so that its access key moves the focus there.
#pragma once

#include "framework/win_control.h"

namespace win32backend {

void OrderTabChain(TWinControl& root);

}  // namespace win32backend
