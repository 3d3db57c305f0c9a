#include "platform/win32/captioned_peers.h"

#include <algorithm>

#include "platform/win32/fonts.h"
#include "platform/win32/screen_scale.h"

namespace win32backend {

ButtonPeer::ButtonPeer(TButton& button)
    : CaptionedPeer(button, {.className = "BUTTON", .style = WS_TABSTOP | BS_PUSHBUTTON}) {}

// BN_CLICKED comes from the user only: nothing here clicks the button from code.
LRESULT ButtonPeer::Notified(UINT code, const NMHDR*) {
    if (code == BN_CLICKED) Object().UserClick();
    return 0;
}

// WS_EX_CONTROLPARENT on the containers: the dialog manager's tab chain and access keys go into their
// children.
PanelPeer::PanelPeer(TPanel& panel)
    : CaptionedPeer(panel, {.className = "STATIC",
                            .style = SS_CENTER | SS_CENTERIMAGE | WS_CLIPCHILDREN,
                            .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME}) {}

GroupBoxPeer::GroupBoxPeer(TGroupBox& groupBox)
    : CaptionedPeer(groupBox, {.className = "BUTTON", .style = BS_GROUPBOX, .exStyle = WS_EX_CONTROLPARENT}) {}

LRESULT GroupBoxPeer::DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ERASEBKGND) return CaptionedPeer::DefaultHandling(window, message, wParam, lParam);
    RECT inside{};
    GetClientRect(window, &inside);
    FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

LabelPeer::LabelPeer(TLabel& label)
    : CaptionedPeer(label, {.className = "STATIC", .style = SS_LEFT | SS_NOTIFY}) {}

void LabelPeer::ShowAspect(widgetset::Aspect aspect) {
    CaptionedPeer::ShowAspect(aspect);
    if (aspect == widgetset::Aspect::Caption) ShowBounds();
}

void LabelPeer::ShowBounds() {
    RECT text{0, 0, 0, 0};
    HDC context = GetDC(Handle());
    HGDIOBJ previous = SelectObject(context, FontFor(Object().Font()));
    DrawTextA(context, Object().Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(context, previous);
    ReleaseDC(Handle(), context);
    MoveWindow(Handle(), Scaled(Object().Left()), Scaled(Object().Top()),
               std::max<int>(Scaled(Object().Width()), text.right),
               std::max<int>(Scaled(Object().Height()), text.bottom), TRUE);
}

}  // namespace win32backend
