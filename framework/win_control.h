// A control with a native window: it parents other controls, and its window's messages reach it through
// the framework's window procedure.
#pragma once

#include <vector>

#include "framework/control.h"
#include "platform/api.h"

class TWinControl : public TControl {
    DECLARE_CLASS_INFO
  public:
    using TControl::TControl;
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;

    // Child controls owned by root, then (for root itself) its components that have no parent.
    void GetChildren(std::vector<TComponent*>& children, const TComponent* root) const override;

    // The native window, created on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The control whose window this is, or null.
    static TWinControl* FindControl(HWND window);

    // Every message of the window comes here first, then goes to Dispatch.
    virtual void WindowProc(TMessage& message) { Dispatch(message); }
    void DefaultHandler(TMessage& message) override;

  private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> controls_;
    HWND handle_ = nullptr;

    friend class TControl;
};

// The window procedure with which peers create windows for framework controls.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
