#include "framework/edit.h"

#include "framework/published.h"
#include "framework/text.h"

namespace {

const PropertyInfo kProperties[] = {
    StringProperty<&TEdit::Text, &TEdit::SetText>("Text"),
    IntegerProperty<&TEdit::MaxLength, &TEdit::SetMaxLength>("MaxLength", 0),
    EventProperty<&TEdit::OnChange, &TEdit::SetOnChange>("OnChange"),
};

}  // namespace

const ClassInfo TEdit::Class = CreatableClass<TEdit, TWinControl>("TEdit", kProperties);

void TEdit::UserEditText(const std::string& text) {
    RunUserChange(widgetset::Aspect::Caption, [&] {
        if (maxLength_ <= 0 || CharacterCount(text) <= static_cast<std::size_t>(maxLength_)) SetText(text);
    });
}
