// Whether two controls of one parent stand on the same row: their vertical extents overlap. Field names
// and caption room both go by rows, as a reader of the layout sees them.
#pragma once

#include "framework/control.h"

inline bool SameRow(const TControl& a, const TControl& b) {
    return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}
