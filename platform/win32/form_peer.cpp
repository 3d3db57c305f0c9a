#include "framework/application.h"
#include "framework/form.h"
#include "framework/peer_kinds.h"
#include "platform/win32/captioned_peer.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/tab_order.h"
#include "platform/win32/win32_widgetset.h"
#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

WindowKind FormKind(const TForm& form) {
    const unsigned icons = form.BorderIcons();
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    switch (form.BorderStyle()) {
        case bsNone:
            style |= WS_POPUP;
            break;
        case bsDialog:
            style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
            exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsToolWindow:
        case bsSizeToolWin:
            exStyle |= WS_EX_TOOLWINDOW;
            [[fallthrough]];
        default:
            style |= WS_OVERLAPPED | WS_CAPTION;
            if ((icons & biSystemMenu) != 0) style |= WS_SYSMENU;
            if ((icons & biMinimize) != 0) style |= WS_MINIMIZEBOX;
            if (form.BorderStyle() == bsSizeable || form.BorderStyle() == bsSizeToolWin) {
                style |= WS_THICKFRAME;
                if ((icons & biMaximize) != 0) style |= WS_MAXIMIZEBOX;
            }
    }
    return {.className = FormWindowClass(), .style = style, .exStyle = exStyle};
}

// Every windowed control gets its framework window now, so that its messages reach its window procedure.
void AttachHandles(TWinControl& parent) {
    parent.Handle();
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        if (child->HasPeer() && child->InheritsFrom(TWinControl::Class)) {
            AttachHandles(static_cast<TWinControl&>(*child));
        }
    }
}

// TForm: a top-level window of the form's client size, decorated as its border style and border icons
// say (a single border has no maximize box). Closing it by its title bar is reported, not done: the
// framework decides, and hides the window through the form's Visible. Showing it the first time places it
// (centred, when the layout says so) and orders its tab chain.
class FormPeer : public CaptionedPeer<TForm> {
  public:
    explicit FormPeer(TForm& form) : CaptionedPeer(form, FormKind(form)) {}

    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
    void ShowVisible() override;

  private:
    void Place();

    bool placed_ = false;
};

LRESULT FormPeer::DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Object().UserClose();
        return 0;
    }
    // The dialog manager moves the focus with this message (a label's access key does: to the label, then
    // on to the next field), and only a dialog's default procedure would answer it.
    if (message == WM_NEXTDLGCTL) {
        HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                          : GetNextDlgTabItem(window, GetFocus(), wParam != 0 ? TRUE : FALSE);
        if (target != nullptr) SetFocus(target);
        return 0;
    }
    if (Application != nullptr && Application->MainForm() == &Object())
        static_cast<Win32Widgetset&>(CurrentWidgetset()).HearBroadcast(message, wParam);
    return ControlPeer::DefaultHandling(window, message, wParam, lParam);
}

void FormPeer::ShowBounds() {
    const int width = Scaled(Object().ClientWidth() > 0 ? Object().ClientWidth() : Object().Width());
    const int height = Scaled(Object().ClientHeight() > 0 ? Object().ClientHeight() : Object().Height());
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    int left = Scaled(Object().Left());
    int top = Scaled(Object().Top());
    if (Object().Position() == poScreenCenter || Object().Position() == poDesktopCenter) {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + (work.right - work.left - (frame.right - frame.left)) / 2;
        top = work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2;
    }
    SetWindowPos(Handle(), nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::Place() {
    AttachHandles(Object());
    OrderTabChain(Object());
    ShowBounds();
    placed_ = true;
}

void FormPeer::ShowVisible() {
    if (!Object().Visible()) {
        ShowWindow(Handle(), SW_HIDE);
        return;
    }
    if (!placed_) Place();
    ShowWindow(Handle(), Object().WindowState() == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    ModalScope::Showing(Handle());
}

void FormPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Picture) {
        HICON icon =
            Object().Icon().empty() ? nullptr : LoadIconA(GetModuleHandleA(nullptr), Object().Icon().c_str());
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    } else if (aspect == widgetset::Aspect::WindowState) {
        if (IsWindowVisible(Handle())) ShowVisible();
    } else if (aspect == widgetset::Aspect::ZOrder && IsWindowVisible(Handle())) {
        if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
        BringWindowToTop(Handle());
        ModalScope::Showing(Handle());
    } else {
        CaptionedPeer::ShowAspect(aspect);
    }
}

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TForm& form) { return std::make_unique<win32backend::FormPeer>(form); }
