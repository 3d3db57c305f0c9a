#include "framework/field_namer.h"

#include "framework/access_key.h"
#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/layout_row.h"
#include "framework/win_control.h"

bool IsField(const TControl& control) {
    return control.InheritsFrom(TEdit::Class) || control.InheritsFrom(TDateTimePicker::Class);
}

const std::string* NamingCaption(const TControl& control) {
    if (control.InheritsFrom(TLabel::Class)) return &static_cast<const TLabel&>(control).Caption();
    if (control.InheritsFrom(TCheckBox::Class)) return &static_cast<const TCheckBox&>(control).Caption();
    return nullptr;
}

TControl* FindNamer(const TControl& field) {
    TWinControl* parent = field.Parent();
    if (parent == nullptr) return nullptr;
    TControl* nearest = nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* candidate = parent->Controls(i);
        const std::string* caption = NamingCaption(*candidate);
        if (caption == nullptr || !HasAccessKey(*caption) || !SameRow(*candidate, field)) continue;
        if (candidate->Left() >= field.Left()) continue;
        if (nearest == nullptr || candidate->Left() > nearest->Left()) nearest = candidate;
    }
    return nearest;
}
