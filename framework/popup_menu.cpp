#include "framework/popup_menu.h"

#include <algorithm>
#include <string>

#include "framework/error_reporting.h"
#include "framework/exceptions.h"
#include "framework/menu_item.h"
#include "framework/published.h"
#include "framework/widgetset/widgetset.h"

namespace {

const PropertyInfo kProperties[] = {
    BooleanProperty<&TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup>("AutoPopup", true),
};

}  // namespace

const ClassInfo TPopupMenu::Class = CreatableClass<TPopupMenu, TComponent>("TPopupMenu", kProperties);

TPopupMenu::~TPopupMenu() {
    for (TMenuItem* item : items_) item->menu_ = nullptr;
}

TMenuItem* TPopupMenu::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Menu index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void TPopupMenu::Add(TMenuItem* item) {
    if (item->menu_ != nullptr) item->menu_->Remove(item);
    items_.push_back(item);
    item->menu_ = this;
}

void TPopupMenu::Remove(TMenuItem* item) {
    std::erase(items_, item);
    item->menu_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    TMenuItem* chosen = CurrentWidgetset().PopupMenu(*this, x, y);
    if (chosen != nullptr) ReportErrors([chosen] { chosen->Click(); });
}

void TPopupMenu::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
    for (TMenuItem* item : items_) {
        if (item->Owner() == root) children.push_back(item);
    }
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupComponent_) popupComponent_ = nullptr;
}
