// Fields (edits and date pickers) have no caption of their own. A field is named by the label or check box
// that stands to its left on the same row and has an access key, as in "&Message: [______]": the nearest
// such one. Each back end shows the rule its own way (where a label's access key moves the focus, how a
// reader is told the name), so the namer and the name are decided once, here.
#pragma once

#include <string>

#include "framework/control.h"

bool IsField(const TControl& control);
// The caption of a control that can name a field (a label or a check box), or null.
const std::string* NamingCaption(const TControl& control);
// The namer of the field among its siblings, or null.
TControl* FindNamer(const TControl& field);
// The name a reader hears for a field: its namer's caption as read, without the colon that ends it, and
// where the namer names several fields, each field's component name added ("Alert me at: hour"); without
// a namer, its hint, or else what it holds ("Date"; an edit's role says that already).
std::string FieldName(const TControl& field);
