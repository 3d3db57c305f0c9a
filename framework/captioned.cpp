#include "framework/captioned.h"

#include "framework/published.h"

namespace {

const PropertyInfo kCaptionProperties[] = {
    StringProperty<&TPanel::Caption, &TPanel::SetCaption>("Caption"),
};

}  // namespace

const ClassInfo TPanel::Class{.name = "TPanel",
                              .parent = &TWinControl::Class,
                              .create = &CreateComponent<TPanel>,
                              .properties = kCaptionProperties};
const ClassInfo TGroupBox::Class{.name = "TGroupBox",
                                 .parent = &TWinControl::Class,
                                 .create = &CreateComponent<TGroupBox>,
                                 .properties = kCaptionProperties};
const ClassInfo TLabel::Class{.name = "TLabel",
                              .parent = &TControl::Class,
                              .create = &CreateComponent<TLabel>,
                              .properties = kCaptionProperties};
const ClassInfo TButton::Class{.name = "TButton",
                               .parent = &TWinControl::Class,
                               .create = &CreateComponent<TButton>,
                               .properties = kCaptionProperties};
