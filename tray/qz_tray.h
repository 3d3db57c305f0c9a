// A non-visual component that keeps one icon in the shell's notification area for its owner form: an
// explicit image or one of a list of the program's icon resources, a tip, and three mouse events that
// the shell reports to the owner form's window as TrayCallbackMessage.
#pragma once

#include <memory>
#include <string>

#include "framework/icon.h"
#include "framework/notify_event.h"
#include "framework/popup_menu.h"
#include "framework/string_list.h"
#include "tray/qz_msg_component.h"

// The message number with which the shell reports mouse actions on the icon.
inline constexpr UINT TrayCallbackMessage = 10124;

// Icon ids handed out in the order of the components' first AddIcon; 0 when the program starts.
extern UINT TrayIdCounter;

// A tip of at most 63 single-byte characters: a longer value keeps its first 63.
class TTipString {
  public:
    static constexpr std::size_t kMaxLength = 63;
    // Converts implicitly, as a string assigned to it does.
    TTipString(const std::string& text) : text_(text.substr(0, kMaxLength)) {}
    TTipString(const char* text) : TTipString(std::string(text)) {}
    const std::string& str() const { return text_; }

  private:
    std::string text_;
};

class TqzTray;

// The tray component's explicit icon image: assigning a new image tells the tray.
class TqzTrayIcon : public TIcon {
  public:
    TqzTray* Tray = nullptr;  // the owning tray, not owned

    void Assign(const TIcon& source) override;
};

// The tray component's list of icon resource names: replacing a name in place tells the tray; adding,
// inserting, deleting, clearing and assigning do not.
class TqzTrayResources : public TStringList {
  public:
    explicit TqzTrayResources(TqzTray* tray) : Tray(tray) {}

    TqzTray* Tray;  // the owning tray, not owned

    void Put(int index, const std::string& text) override;
};

class TqzTray : public TqzMsgComponent {
    DECLARE_CLASS_INFO
  public:
    explicit TqzTray(TComponent* owner);
    ~TqzTray() override;

    // At run time: the requested state, but false while no icon handle was last written; in design mode,
    // the requested state alone.
    bool Active() const;
    void SetActive(bool value);
    const TqzTrayIcon& Icon() const { return *icon_; }
    void SetIcon(const TIcon& source);
    const TqzTrayResources& IconResources() const { return *iconResources_; }
    TqzTrayResources& IconResources() { return *iconResources_; }
    void SetIconResources(const TStrings& source);
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int value);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    std::string Tip() const;
    void SetTip(const TTipString& value);
    bool TipSet() const { return tipSet_; }
    UINT TrayId() const { return trayId_; }
    const NOTIFYICONDATA_V1A& NotifyData() const { return notifyData_; }

    const TNotifyEvent& ShowMenu() const { return showMenu_; }
    void SetShowMenu(const TNotifyEvent& event) { showMenu_ = event; }
    const TNotifyEvent& SimpleFunction() const { return simpleFunction_; }
    void SetSimpleFunction(const TNotifyEvent& event) { simpleFunction_ = event; }
    const TNotifyEvent& DefaultFunction() const { return defaultFunction_; }
    void SetDefaultFunction(const TNotifyEvent& event) { defaultFunction_ = event; }

    // One step forward or back in the icon list, wrapping round at either end.
    void NextIcon();
    void PreviousIcon();
    // The explicit image's handle, else the icon resource at IconIndex, else 0.
    HICON CurrentIconHandle() const;

    virtual void AddIcon();
    virtual void DeleteIcon();
    virtual void ModifyIcon();
    virtual void ShowPopupMenu(POINT point);
    // Sends a modification when the handle to show differs from the one last sent.
    virtual void IconChanged();

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Adds the icon again when the shell's notification area has started anew (TaskbarCreated).
    void DefaultHandler(TMessage& message) override;
    void SetName(const std::string& newName) override;

    // The shell's report of a mouse action on an icon of the owner form's window.
    void HandleTrayCallback(TMessage& message);

    // The published forms of the image and of the tip, as a stored layout holds them.
    const std::string& IconName() const { return icon_->ResourceName(); }
    void SetIconName(const std::string& name);
    void SetTipText(const std::string& text) { SetTip(text); }

  private:
    // NIF_TIP follows whether the tip is empty.
    void UpdateTipFlag();
    void DoShowMenu();
    // A notification area that shows the menu itself gets it, with the ShowMenu event to run first.
    void HandMenuToShell();

    bool activeFlag_ = true;
    NOTIFYICONDATA_V1A notifyData_{};
    std::unique_ptr<TqzTrayResources> iconResources_;
    int iconIndex_ = 0;
    std::unique_ptr<TqzTrayIcon> icon_;
    TPopupMenu* popupMenu_ = nullptr;
    bool tipSet_ = false;
    UINT trayId_ = 0;
    TNotifyEvent showMenu_;
    TNotifyEvent simpleFunction_;
    TNotifyEvent defaultFunction_;
};
