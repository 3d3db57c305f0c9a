// Components: named objects in an ownership tree. An owner frees what it owns; a component can ask to be
// told when another is freed; component state says whether it is being loaded, destroyed or designed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/object.h"

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csDesigning = 4 };

class TComponent : public TObject {
    DECLARE_CLASS_INFO
  public:
    explicit TComponent(TComponent* owner);

    // The one way to destroy a component: it and everything it owns are marked as being destroyed
    // before any destructor runs, then its owned components are freed (last created first), then itself.
    void Free();

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    // The owned component of that name (case-insensitive), or null.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return name_; }
    // Renames after checking that the name is an identifier unique among the owner's components.
    virtual void SetName(const std::string& newName);

    long long Tag() const { return tag_; }
    void SetTag(long long tag) { tag_ = tag; }

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }
    // Marks this component and everything it owns as being edited in a designer.
    void SetDesigning(bool designing);

    // Called by the form reader around the setting of stored properties.
    void BeginLoading() { state_ |= csLoading; }
    // Ends the loading state; descendants that defer work until all properties are set do it here.
    virtual void Loaded();

    // The component that this one is nested in within a form file (a control's parent, a menu item's
    // menu); components without one sit directly in the form.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent);
    // The components nested in this one when root is written as a form file, in file order.
    virtual void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const;

    // Asks to be told, through Notification(component, opRemove), when component is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Told when a component is inserted into or removed from the owner tree, or freed after a request.
    virtual void Notification(TComponent* component, TOperation operation);

  protected:
    ~TComponent() override;
    void DestroyComponents();

  private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void MarkDestroying();
    void ForgetFreeNotification(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    long long tag_ = 0;
    unsigned state_ = 0;
};

// Owns a component that has no owner of its own, and frees it through Free.
struct ComponentDeleter {
    void operator()(TComponent* component) const { component->Free(); }
};
template <class T>
using ComponentPtr = std::unique_ptr<T, ComponentDeleter>;

template <class T, class... Args>
ComponentPtr<T> MakeComponent(Args&&... args) {
    return ComponentPtr<T>(new T(std::forward<Args>(args)...));
}
