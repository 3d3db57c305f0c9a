// Accessible names for fields, which have no caption of their own: the names framework/rules/field_name.h gives
// ("Message", "Alert me at: hour", "Date"). A namer that is a label gets the field as its buddy, so that its
// access key moves the focus there.
#pragma once

#include "framework/win_control.h"

namespace qtbackend {

// Names every field in root and below; their peers must exist.
void NameFields(TWinControl& root);

}  // namespace qtbackend
