#include "tray/qz_tray.h"

#include <cstring>

#include "framework/published.h"
#include "framework/widgetset/widgetset.h"

UINT TrayIdCounter = 0;

void TqzTrayIcon::Assign(const TIcon& source) {
    TIcon::Assign(source);
    if (Tray != nullptr) Tray->IconChanged();
}

void TqzTrayResources::Put(int index, const std::string& text) {
    TStringList::Put(index, text);
    if (Tray != nullptr) Tray->IconChanged();
}

namespace {

using ResourcesGetter = const TqzTrayResources& (TqzTray::*)() const;

const PropertyInfo kProperties[] = {
    BooleanProperty<&TqzTray::Active, &TqzTray::SetActive>("Active", true),
    StringProperty<&TqzTray::IconName, &TqzTray::SetIconName>("Icon"),
    StringsProperty<static_cast<ResourcesGetter>(&TqzTray::IconResources), &TqzTray::SetIconResources>(
        "IconResources"),
    IntegerProperty<&TqzTray::IconIndex, &TqzTray::SetIconIndex>("IconIndex"),
    ComponentProperty<&TqzTray::PopupMenu, &TqzTray::SetPopupMenu, TPopupMenu>("PopupMenu"),
    StringProperty<&TqzTray::Tip, &TqzTray::SetTipText>("Tip"),
    EventProperty<&TqzTray::ShowMenu, &TqzTray::SetShowMenu>("ShowMenu"),
    EventProperty<&TqzTray::SimpleFunction, &TqzTray::SetSimpleFunction>("SimpleFunction"),
    EventProperty<&TqzTray::DefaultFunction, &TqzTray::SetDefaultFunction>("DefaultFunction"),
};

const MessageHandlerInfo kMessages[] = {
    MESSAGE_HANDLER(TqzTray, TrayCallbackMessage, HandleTrayCallback),
};

// The shell's mouse messages that the icon reacts to.
constexpr LPARAM kLeftButtonDown = WM_LBUTTONDOWN;
constexpr LPARAM kLeftButtonDoubleClick = WM_LBUTTONDBLCLK;
constexpr LPARAM kRightButtonDown = WM_RBUTTONDOWN;

// What the shell broadcasts to every top-level window when its notification area starts anew (the shell
// restarted or crashed): the icons it held are gone, and a program without one becomes unreachable.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

}  // namespace

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(NOTIFYICONDATA_V1A) == 88,
              "the first version of the record is 88 bytes on 32-bit Windows");
#endif

const ClassInfo TqzTray::Class{.name = "TqzTray",
                               .parent = &TqzMsgComponent::Class,
                               .create = &CreateComponent<TqzTray>,
                               .properties = kProperties,
                               .messages = kMessages};

TqzTray::TqzTray(TComponent* owner)
    : TqzMsgComponent(owner),
      iconResources_(std::make_unique<TqzTrayResources>(this)),
      icon_(std::make_unique<TqzTrayIcon>()) {
    icon_->Tray = this;
    iconResources_->Add("MAINICON");
}

// The delete goes out whether or not the icon was ever added.
TqzTray::~TqzTray() { DeleteIcon(); }

bool TqzTray::Active() const {
    if (IsDesigning()) return activeFlag_;
    return notifyData_.hIcon != nullptr && activeFlag_;
}

void TqzTray::SetActive(bool value) {
    if (value == Active()) return;
    activeFlag_ = value;
    if (value) {
        AddIcon();
    } else {
        DeleteIcon();
    }
}

void TqzTray::SetIcon(const TIcon& source) {
    icon_->Assign(source);
    ModifyIcon();
}

void TqzTray::SetIconName(const std::string& name) {
    TIcon source;
    source.LoadFromResourceName(name);
    SetIcon(source);
}

void TqzTray::SetIconResources(const TStrings& source) {
    iconResources_->Assign(source);
    ModifyIcon();
}

void TqzTray::SetIconIndex(int value) {
    if (value == iconIndex_) return;
    iconIndex_ = value;
    // An explicit image takes precedence: the index does not matter while it is set.
    if (icon_->Empty()) ModifyIcon();
}

void TqzTray::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    popupMenu_ = menu;
    if (menu != nullptr) menu->FreeNotification(this);
    if (!IsDesigning() && Active()) HandMenuToShell();
}

std::string TqzTray::Tip() const {
    return std::string(notifyData_.szTip, strnlen(notifyData_.szTip, sizeof notifyData_.szTip));
}

void TqzTray::SetTip(const TTipString& value) {
    tipSet_ = true;
    // A NUL inside the value ends the copy there.
    const std::string& text = value.str();
    const std::size_t length = std::min(strnlen(text.c_str(), text.size()), TTipString::kMaxLength);
    std::memset(notifyData_.szTip, 0, sizeof notifyData_.szTip);
    std::memcpy(notifyData_.szTip, text.data(), length);
    ModifyIcon();
}

void TqzTray::NextIcon() {
    const int count = iconResources_->Count();
    SetIconIndex(iconIndex_ < count - 1 ? iconIndex_ + 1 : 0);
}

void TqzTray::PreviousIcon() {
    const int count = iconResources_->Count();
    if (count == 0) return;
    SetIconIndex(iconIndex_ != 0 ? iconIndex_ - 1 : count - 1);
}

// A negative index reaches the list, whose index error goes to whoever caused the lookup.
HICON TqzTray::CurrentIconHandle() const {
    if (!icon_->Empty()) return icon_->Handle();
    if (iconResources_->Count() > 0 && iconResources_->Count() > iconIndex_) {
        return LoadIconA(GetModuleHandleA(nullptr), iconResources_->Strings(iconIndex_).c_str());
    }
    return nullptr;
}

void TqzTray::UpdateTipFlag() {
    if (Tip().empty()) {
        notifyData_.uFlags &= ~NIF_TIP;
    } else {
        notifyData_.uFlags |= NIF_TIP;
    }
}

void TqzTray::AddIcon() {
    if (IsDesigning()) return;
    notifyData_.cbSize = sizeof notifyData_;
    // Attaches to the owner form's window (creating it); while loading, the handle is only stored.
    if (WindowHandle() == nullptr && OwnerForm() != nullptr) SetWindowHandle(OwnerForm()->Handle());
    notifyData_.hWnd = WindowHandle();
    if (trayId_ == 0) trayId_ = ++TrayIdCounter;
    notifyData_.uID = trayId_;
    notifyData_.uCallbackMessage = TrayCallbackMessage;
    notifyData_.hIcon = CurrentIconHandle();
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON;
    UpdateTipFlag();
    if (notifyData_.hIcon == nullptr || notifyData_.hWnd == nullptr) return;
    Shell_NotifyIconV1A(NIM_ADD, &notifyData_);
    HandMenuToShell();
}

// The delete of the icon takes the menu back with it.
void TqzTray::HandMenuToShell() {
    CurrentWidgetset().SetTrayMenu(notifyData_.hWnd, trayId_, popupMenu_, [this] {
        if (showMenu_) showMenu_(this);
        if (popupMenu_ != nullptr) popupMenu_->SetPopupComponent(this);
    });
}

void TqzTray::ModifyIcon() {
    if (IsDesigning() || !Active()) return;
    UpdateTipFlag();
    notifyData_.hIcon = CurrentIconHandle();
    Shell_NotifyIconV1A(NIM_MODIFY, &notifyData_);
}

// hIcon keeps its value, so after this Active reads the requested state alone.
void TqzTray::DeleteIcon() {
    if (IsDesigning()) return;
    notifyData_.uFlags = 0;
    Shell_NotifyIconV1A(NIM_DELETE, &notifyData_);
}

void TqzTray::IconChanged() {
    if (CurrentIconHandle() != notifyData_.hIcon) ModifyIcon();
}

void TqzTray::ShowPopupMenu(POINT point) {
    if (IsDesigning() || popupMenu_ == nullptr || !popupMenu_->AutoPopup()) return;
    SetForegroundWindow(WindowHandle());
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(point.x, point.y);
}

void TqzTray::Loaded() {
    TqzMsgComponent::Loaded();
    AddIcon();
}

void TqzTray::Notification(TComponent* component, TOperation operation) {
    TqzMsgComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_) SetPopupMenu(nullptr);
}

// An icon the user hid (Active false) or that never had an image stays away.
void TqzTray::DefaultHandler(TMessage& message) {
    const UINT taskbarCreated = TaskbarCreatedMessage();
    if (taskbarCreated != 0 && message.Msg == taskbarCreated && Active()) AddIcon();
    TqzMsgComponent::DefaultHandler(message);
}

// The name serves as the tip until a tip is set.
void TqzTray::SetName(const std::string& newName) {
    TqzMsgComponent::SetName(newName);
    if (!tipSet_) {
        SetTip(newName);
        tipSet_ = false;
    }
}

void TqzTray::HandleTrayCallback(TMessage& message) {
    message.Result = 0;
    if (message.WParam != trayId_) return;
    switch (message.LParam) {
        case kLeftButtonDown:
            if (simpleFunction_) simpleFunction_(this);
            break;
        case kLeftButtonDoubleClick:
            if (defaultFunction_) defaultFunction_(this);
            break;
        case kRightButtonDown:
            DoShowMenu();
            break;
        default:
            return;
    }
    message.Result = 1;
}

void TqzTray::DoShowMenu() {
    if (showMenu_) showMenu_(this);
    POINT cursor{};
    GetCursorPos(&cursor);
    ShowPopupMenu(cursor);
}
