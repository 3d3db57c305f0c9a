// The form's tab chain (framework/rules/tab_chain.h) given to the dialog manager, which takes it from the
// order of each parent's windows: a label that names a field stands right before it there, so that its
// access key moves the focus to the field.
#pragma once

#include "framework/win_control.h"

namespace win32backend {

void OrderTabChain(TWinControl& root);

}  // namespace win32backend
