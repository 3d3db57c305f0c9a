// One item of a pop-up menu. An item that is not visible is left out when the menu pops up, and one
// captioned "-" is a separator (menu_entries.h).
#pragma once

#include <string>

#include "framework/component.h"
#include "framework/notify_event.h"

class TPopupMenu;

class TMenuItem : public TComponent {
    DECLARE_CLASS_INFO
  public:
    using TComponent::TComponent;
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& event) { onClick_ = event; }
    void Click();

    TPopupMenu* Menu() const { return menu_; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

  private:
    std::string caption_;
    bool visible_ = true;
    TNotifyEvent onClick_;
    TPopupMenu* menu_ = nullptr;

    friend class TPopupMenu;
};
