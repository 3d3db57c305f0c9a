// Accessible names for fields, which have no caption of their own, by the namer that framework/field_namer.h
// finds: the namer's caption as it reads. A namer of several fields ("&Alert me at: [hh] : [mm]")
// names each with the field's component name added ("Alert me at: hour"). A field without a namer is named
// by its hint, or else by what it holds ("Date"). A namer that is a label gets the field as its buddy, so
// that its access key moves the focus there.
#pragma once

#include "framework/win_control.h"

namespace qtbackend {

// Names every field in root and below; their peers must exist.
void NameFields(TWinControl& root);

}  // namespace qtbackend
