#include "framework/rules/field_name.h"

#include "framework/captioned.h"
#include "framework/check_box.h"
#include "framework/date_time_picker.h"
#include "framework/edit.h"
#include "framework/rules/access_key.h"
#include "framework/rules/layout_row.h"
#include "framework/win_control.h"

namespace {

// The namer's caption as read, trimmed, without the colon that ends a label.
std::string NameOf(const TControl& namer) {
    const std::string caption = WithoutAccessKey(*NamingCaption(namer));
    constexpr const char* kBlanks = " \t\r\n";
    const auto first = caption.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    std::string name = caption.substr(first, caption.find_last_not_of(kBlanks) - first + 1);
    if (name.back() == ':') name.pop_back();
    return name;
}

int FieldsNamedBy(const TControl& namer) {
    const TWinControl& parent = *namer.Parent();
    int named = 0;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl& sibling = *parent.Controls(i);
        if (IsField(sibling) && FindNamer(sibling) == &namer) ++named;
    }
    return named;
}

std::string WhatItHolds(const TControl& field) {
    if (!field.InheritsFrom(TDateTimePicker::Class)) return {};
    return static_cast<const TDateTimePicker&>(field).Kind() == dtkTime ? "Time" : "Date";
}

}  // namespace

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

std::string FieldName(const TControl& field) {
    const TControl* namer = FindNamer(field);
    if (namer == nullptr) return field.Hint().empty() ? WhatItHolds(field) : field.Hint();
    return FieldsNamedBy(*namer) == 1 ? NameOf(*namer) : NameOf(*namer) + ": " + field.Name();
}
