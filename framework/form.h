// A top-level window. Showing, hiding and closing go through here; closing the application's main form
// ends the application's message loop.
#pragma once

#include <string>

#include "framework/captioned.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };

class TForm : public TCaptioned<TWinControl> {
    DECLARE_CLASS_INFO
  public:
    explicit TForm(TComponent* owner);

    void Show() { SetVisible(true); }
    // Raises the shown window above the others and gives it the focus.
    void BringToFront() { Changed(widgetset::Aspect::ZOrder); }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value) { Apply(windowState_, value, widgetset::Aspect::WindowState); }
    // Shows the form restored from a minimize, raised above the others and focused: a window the user
    // asked for comes back whatever state it was left in.
    void ShowRestored();
    void Hide();
    // Hides the form; for the main form, ends the application's message loop too.
    void Close();
    // What a peer calls when the user closes the window by its title bar or system menu.
    void UserClose();
    // What a peer calls when the user minimized or restored the window through the window manager.
    void UserSetWindowState(TWindowState state) { windowState_ = state; }

    int ClientWidth() const { return clientWidth_; }
    void SetClientWidth(int value) { Apply(clientWidth_, value, widgetset::Aspect::Bounds); }
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int value) { Apply(clientHeight_, value, widgetset::Aspect::Bounds); }
    // BorderStyle, BorderIcons and Position are set by the layout only, before the peer exists: changing
    // them tells no peer, so code leaves them as the layout has them.
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value) { borderStyle_ = value; }
    unsigned BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(unsigned value) { borderIcons_ = value; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    // The name of the window's icon resource.
    const std::string& Icon() const { return icon_; }
    void SetIcon(const std::string& value) { Apply(icon_, value, widgetset::Aspect::Picture); }

    const TNotifyEvent& OnCreate() const { return onCreate_; }
    void SetOnCreate(const TNotifyEvent& event) { onCreate_ = event; }
    // Runs OnCreate once the form and its components exist; the application calls it after the form's
    // reference is set, so that the handler can use it.
    void DoCreate();

  protected:
    // What the user's close by the title bar or system menu does: the form closes.
    virtual void CloseByUser() { Close(); }
    // Runs once a shown form is hidden, however that came about (hidden, closed, closed by the user).
    virtual void Hidden() {}
    // Reads the form's layout from form-file text: its components, their properties and bindings.
    void LoadLayout(std::string_view formText);
    // Points field at the loaded component of that name; a missing one or one of another class is an
    // EReadError, so a layout and its form class cannot drift apart unnoticed.
    template <class T>
    void BindComponent(T*& field, const std::string& name) {
        field = static_cast<T*>(FindLoadedComponent(name, T::Class));
    }

  private:
    TComponent* FindLoadedComponent(const std::string& name, const ClassInfo& expected) const;

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    TFormBorderStyle borderStyle_ = bsSizeable;
    unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    std::string icon_;
    TNotifyEvent onCreate_;
};
