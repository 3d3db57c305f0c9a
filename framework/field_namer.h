// Fields (edits and date pickers) have no caption of their own. A field is named by the label or check box
// that stands to its left on the same row and has an access key, as in "&Message: [______]": the nearest
// such one. Each back end shows the rule its own way (an accessible name, where a label's access key
// moves the focus), so it is decided once, here.
#pragma once

#include <string>

#include "framework/control.h"

bool IsField(const TControl& control);
// The caption of a control that can name a field (a label or a check box), or null.
const std::string* NamingCaption(const TControl& control);
// The namer of the field among its siblings, or null.
TControl* FindNamer(const TControl& field);
