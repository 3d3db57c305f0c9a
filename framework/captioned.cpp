#include "framework/captioned.h"

#include "framework/published.h"

namespace {

const PropertyInfo kCaptionProperties[] = {
    StringProperty<&TPanel::Caption, &TPanel::SetCaption>("Caption"),
};

}  // namespace

const ClassInfo TPanel::Class = CreatableClass<TPanel, TWinControl>("TPanel", kCaptionProperties);
const ClassInfo TGroupBox::Class = CreatableClass<TGroupBox, TWinControl>("TGroupBox", kCaptionProperties);
const ClassInfo TLabel::Class = CreatableClass<TLabel, TControl>("TLabel", kCaptionProperties);
const ClassInfo TButton::Class = CreatableClass<TButton, TWinControl>("TButton", kCaptionProperties);
