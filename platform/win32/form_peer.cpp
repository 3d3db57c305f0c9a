#include "framework/application.h"
#include "framework/form.h"
#include "framework/rules/form_frame.h"
#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/captioned_peer.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/tab_chain.h"
#include "platform/win32/win32_widgetset.h"
#include "platform/win32/window_classes.h"

namespace win32backend {

namespace {

WindowKind FormKind(const TForm& form) {
    const FormFrame frame = FrameOf(form);
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (!frame.titled) {
        style |= WS_POPUP;
    } else if (frame.dialog) {
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME;
    } else {
        style |= WS_OVERLAPPED | WS_CAPTION;
    }
    if (frame.tool) exStyle |= WS_EX_TOOLWINDOW;
    if (frame.resizable) style |= WS_THICKFRAME;
    if (frame.closeBox) style |= WS_SYSMENU;
    if (frame.minimizeBox) style |= WS_MINIMIZEBOX;
    if (frame.maximizeBox) style |= WS_MAXIMIZEBOX;
    return {.className = FormWindowClass(),
            .style = style,
            .exStyle = exStyle,
            .placedBySystem = frame.place == FormPlace::WindowSystems};
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

// TForm: a top-level window framed and placed as framework/form_frame.h decides. Closing it by its title
// bar is reported, not done: the framework decides, and hides the window through the form's Visible.
// Showing it the first time places it and orders its tab chain.
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
    const FormFrame frame = FrameOf(Object());
    RECT outer{0, 0, Scaled(frame.clientWidth), Scaled(frame.clientHeight)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    int left = Scaled(Object().Left());
    int top = Scaled(Object().Top());
    if (frame.place == FormPlace::Centred) {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        left = work.left + (work.right - work.left - width) / 2;
        top = work.top + (work.bottom - work.top - height) / 2;
    }
    // A centred form is centred where it first shows; later its size changes where it stands, wherever the
    // user moved it.
    const bool keep = frame.place == FormPlace::WindowSystems || (frame.place == FormPlace::Centred && placed_);
    const UINT keepPlace = keep ? SWP_NOMOVE : 0;
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | keepPlace);
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
