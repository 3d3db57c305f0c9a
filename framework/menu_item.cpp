#include "framework/menu_item.h"

#include "framework/exceptions.h"
#include "framework/popup_menu.h"
#include "framework/published.h"

namespace {

const PropertyInfo kProperties[] = {
    StringProperty<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
    BooleanProperty<&TMenuItem::Visible, &TMenuItem::SetVisible>("Visible", true),
    EventProperty<&TMenuItem::OnClick, &TMenuItem::SetOnClick>("OnClick"),
};

}  // namespace

const ClassInfo TMenuItem::Class = CreatableClass<TMenuItem, TComponent>("TMenuItem", kProperties);

TMenuItem::~TMenuItem() {
    if (menu_ != nullptr) menu_->Remove(this);
}

void TMenuItem::Click() {
    if (onClick_) onClick_(this);
}

TComponent* TMenuItem::GetParentComponent() const { return menu_; }

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (parent == nullptr || !parent->InheritsFrom(TPopupMenu::Class)) {
        throw EComponentError("Menu item " + Name() + " must be placed in a pop-up menu");
    }
    static_cast<TPopupMenu*>(parent)->Add(this);
}
