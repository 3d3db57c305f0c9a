// A non-visual component that receives the messages of a window it does not own, normally its owner
// form's: attaching appends a hook record, detaching only clears it.
#pragma once

#include "framework/component.h"
#include "framework/form.h"
#include "tray/msg_cmp_list.h"

class TqzMsgComponent : public TComponent {
    DECLARE_CLASS_INFO
  public:
    explicit TqzMsgComponent(TComponent* owner);
    ~TqzMsgComponent() override;

    TForm* OwnerForm() const { return ownerForm_; }
    HWND WindowHandle() const { return windowHandle_; }
    // Nothing when unchanged; only stored while loading (Loaded attaches); otherwise HookWindow.
    void SetWindowHandle(HWND window);

    void Loaded() override;

    // Clears the record of the current window, then attaches to window (none for 0); compares nothing.
    virtual void HookWindow(HWND window);
    // Attaches to a further window without changing WindowHandle; returns the record's index.
    virtual int AttachWindow(HWND window);
    // Clears the record for window without changing WindowHandle; returns its index, or -1.
    virtual int DetachWindow(HWND window);

  private:
    TForm* ownerForm_ = nullptr;
    HWND windowHandle_ = nullptr;
};

// The first form among candidate and its owners, or null; the component itself is never tested.
TForm* FindOwnerForm(TComponent* candidate);
