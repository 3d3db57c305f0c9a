// A pop-up menu of items, shown at a screen position. The chosen item's click is a dispatch point.
#pragma once

#include <vector>

#include "framework/component.h"

class TMenuItem;

class TPopupMenu : public TComponent {
    DECLARE_CLASS_INFO
  public:
    using TComponent::TComponent;
    ~TPopupMenu() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EListError outside 0..Count()-1.
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

    // Shows the visible items at (x, y), waits for the user, and runs the chosen item's click.
    void Popup(int x, int y);

    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    std::vector<TMenuItem*> items_;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};
