#include "framework/component.h"

#include <algorithm>
#include <cctype>

#include "framework/exceptions.h"
#include "framework/published.h"
#include "framework/text.h"

namespace {

bool IsIdentifier(const std::string& name) {
    if (name.empty()) return false;
    auto isStart = [](unsigned char c) { return std::isalpha(c) || c == '_'; };
    auto isPart = [](unsigned char c) { return std::isalnum(c) || c == '_'; };
    return isStart(static_cast<unsigned char>(name[0])) &&
           std::all_of(name.begin() + 1, name.end(),
                       [&](char c) { return isPart(static_cast<unsigned char>(c)); });
}

const PropertyInfo kProperties[] = {
    StringProperty<&TComponent::Name, &TComponent::SetName>("Name"),
    IntegerProperty<&TComponent::Tag, &TComponent::SetTag>("Tag", 0),
};

}  // namespace

const ClassInfo TComponent::Class{.name = "TComponent", .parent = &TObject::Class, .properties = kProperties};

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Components whose construction failed half-way are unwound here rather than through Free.
    DestroyComponents();
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->ForgetFreeNotification(this);
        other->Notification(this, TOperation::opRemove);
    }
    if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::Free() {
    MarkDestroying();
    DestroyComponents();
    delete this;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) components_.back()->Free();
}

void TComponent::SetParentComponent(TComponent* parent) {
    if (parent != nullptr && parent != owner_) {
        throw EComponentError(std::string(ClassName()) + " " + name_ + " cannot be placed in " +
                              parent->Name());
    }
}

void TComponent::GetChildren(std::vector<TComponent*>& children, const TComponent* root) const {
    if (root != this) return;
    for (TComponent* component : components_) {
        if (component->GetParentComponent() == nullptr) children.push_back(component);
    }
}

void TComponent::MarkDestroying() {
    state_ |= csDestroying;
    for (TComponent* component : components_) component->MarkDestroying();
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) {
        throw EListError("Component index out of bounds (" + std::to_string(index) + ")");
    }
    return components_[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    auto it = std::ranges::find_if(components_, [&](const TComponent* c) { return SameText(c->Name(), name); });
    return it == components_.end() ? nullptr : *it;
}

void TComponent::SetName(const std::string& newName) {
    if (newName == name_) return;
    if (!newName.empty() && !IsIdentifier(newName)) {
        throw EComponentError("\"" + newName + "\" is not a valid component name");
    }
    if (owner_ != nullptr) {
        if (TComponent* other = owner_->FindComponent(newName); other != nullptr && other != this) {
            throw EComponentError("A component named " + newName + " already exists");
        }
    }
    name_ = newName;
}

void TComponent::SetDesigning(bool designing) {
    state_ = designing ? (state_ | csDesigning) : (state_ & ~csDesigning);
    for (TComponent* component : components_) component->SetDesigning(designing);
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) return;
    if (std::ranges::find(freeNotifies_, component) == freeNotifies_.end()) freeNotifies_.push_back(component);
    if (std::ranges::find(component->freeNotifies_, this) == component->freeNotifies_.end()) {
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) return;
    ForgetFreeNotification(component);
    component->ForgetFreeNotification(this);
}

void TComponent::ForgetFreeNotification(TComponent* component) { std::erase(freeNotifies_, component); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove) ForgetFreeNotification(component);
    // Every owned component hears of it too, so a sibling can drop a reference to a freed component.
    for (std::size_t i = components_.size(); i-- > 0;) {
        if (i < components_.size()) components_[i]->Notification(component, operation);
    }
}

void TComponent::InsertComponent(TComponent* component) {
    component->owner_ = this;
    components_.push_back(component);
    if (IsDesigning()) component->SetDesigning(true);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, TOperation::opRemove);
    std::erase(components_, component);
    component->owner_ = nullptr;
}
