// Names for fields, which have no caption of their own. A field (an edit or a date picker) is named by the
// label or check box that stands to its left on the same row and has an access key, as in
// "&Message: [______]": the nearest such one. A namer of several fields ("&Alert me at: [hh] : [mm]")
// names each with the field's component name added ("Alert me at: hour"). A field without a namer is named
// by its hint, or else by its component name. A namer that is a label gets the field as its buddy, so
// that its access key moves the focus there.
#pragma once

#include "framework/win_control.h"

namespace qtbackend {

// The namer of field among its siblings, or null.
TControl* FindNamer(const TControl& field);
// Names every field in root and below; their peers must exist.
void NameFields(TWinControl& root);

}  // namespace qtbackend
