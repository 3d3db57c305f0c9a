// How wide a control's caption may be drawn, in layout pixels from the control's left edge. A label grows to
// its text, so its room ends at the next visible control to its right on its row, or at its parent's edge;
// any other control draws its caption inside itself, and inside its parent. Each desktop back end takes off
// what its control draws besides the text (a check box's box, a button's bevel) and narrows the font where
// the text would still not fit, so that no caption runs into its neighbour whatever faces are installed.
#pragma once

#include "framework/control.h"

int CaptionRoom(const TControl& control);
