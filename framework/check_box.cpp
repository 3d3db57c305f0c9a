#include "framework/check_box.h"

#include "framework/published.h"

namespace {

const PropertyInfo kProperties[] = {
    StringProperty<&TCheckBox::Caption, &TCheckBox::SetCaption>("Caption"),
    BooleanProperty<&TCheckBox::Checked, &TCheckBox::SetChecked>("Checked", false),
};

}  // namespace

const ClassInfo TCheckBox::Class = CreatableClass<TCheckBox, TWinControl>("TCheckBox", kProperties);
