#include "tray/qz_msg_component.h"

#include "framework/exceptions.h"

const ClassInfo TqzMsgComponent::Class{.name = "TqzMsgComponent", .parent = &TComponent::Class};

namespace {

TMsgCmpList& List() {
    if (MsgCmpList == nullptr)
        throw Exception("The window hook list does not exist: qzMsgCmpUnit is not in scope");
    return *MsgCmpList;
}

}  // namespace

TForm* FindOwnerForm(TComponent* candidate) {
    for (; candidate != nullptr; candidate = candidate->Owner()) {
        if (candidate->InheritsFrom(TForm::Class)) return static_cast<TForm*>(candidate);
    }
    return nullptr;
}

TqzMsgComponent::TqzMsgComponent(TComponent* owner) : TComponent(owner), ownerForm_(FindOwnerForm(owner)) {}

// Clears only the record of WindowHandle: other windows attached with AttachWindow are the caller's to
// detach.
TqzMsgComponent::~TqzMsgComponent() {
    if (MsgCmpList != nullptr) MsgCmpList->ClearRecord(this, windowHandle_);
}

void TqzMsgComponent::SetWindowHandle(HWND window) {
    if (window == windowHandle_) return;
    if (IsLoading()) {
        windowHandle_ = window;
    } else {
        HookWindow(window);
    }
}

void TqzMsgComponent::Loaded() {
    TComponent::Loaded();
    HookWindow(windowHandle_);
}

void TqzMsgComponent::HookWindow(HWND window) {
    if (windowHandle_ != nullptr) List().ClearRecord(this, windowHandle_);
    windowHandle_ = window;
    if (window != nullptr) List().AddRecord(this, window);
}

int TqzMsgComponent::AttachWindow(HWND window) { return List().AddRecord(this, window); }

int TqzMsgComponent::DetachWindow(HWND window) { return List().ClearRecord(this, window); }
