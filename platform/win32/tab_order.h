// The tab chain of a form, which the dialog manager takes from the windows' order: within each parent,
// windowed controls in TabOrder (those without one after the others, in creation order). A label with an
// access key stands right before the field to its right on its row, so that its key moves the focus there.
#pragma once

#include "framework/win_control.h"

namespace win32backend {

void OrderTabChain(TWinControl& root);

}  // namespace win32backend
