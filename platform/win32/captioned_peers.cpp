// The captioned controls with little of their own: buttons, panels, group boxes and labels.
#include <algorithm>

#include "framework/widgetset/peer_kinds.h"
#include "platform/win32/captioned_peer.h"
#include "platform/win32/screen_scale.h"

namespace win32backend {

namespace {

// TButton: a push button of the system's BUTTON class; its click is the user's click on the control.
class ButtonPeer : public CaptionedPeer<TButton> {
  public:
    explicit ButtonPeer(TButton& button)
        : CaptionedPeer(button,
                        {.className = "BUTTON", .style = WS_TABSTOP | BS_PUSHBUTTON, .click = BN_CLICKED}) {}

  protected:
    int DrawnBesideText() const override { return 2 * GetSystemMetrics(SM_CXEDGE); }
};

// TPanel: a raised STATIC with its caption centred; children sit on it, and their reports to it are
// routed like a form's. WS_EX_CONTROLPARENT on the containers: the dialog manager's tab chain and access
// keys go into their children.
class PanelPeer : public CaptionedPeer<TPanel> {
  public:
    explicit PanelPeer(TPanel& panel)
        : CaptionedPeer(panel, {.className = "STATIC",
                                .style = SS_CENTER | SS_CENTERIMAGE | WS_CLIPCHILDREN,
                                .exStyle = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME}) {}
};

// TGroupBox: a BUTTON of the group-box style with the caption as its title; children sit in it at the
// layout's positions, and their reports to it are routed like a form's. The class paints only the frame
// and the title, so the box fills its inside with the dialog colour itself.
class GroupBoxPeer : public CaptionedPeer<TGroupBox> {
  public:
    explicit GroupBoxPeer(TGroupBox& groupBox)
        : CaptionedPeer(groupBox,
                        {.className = "BUTTON", .style = BS_GROUPBOX, .exStyle = WS_EX_CONTROLPARENT}) {}

    LRESULT DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_ERASEBKGND) return CaptionedPeer::DefaultHandling(window, message, wParam, lParam);
        RECT inside{};
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }

  protected:
    // The title starts after the frame's corner, and ends before the other one.
    int DrawnBesideText() const override { return 2 * Scaled(8); }
};

// TLabel: a STATIC text, at least as large as its text needs (the layout was measured with another font,
// and a clipped label would lose its end and its access key). Its access key moves the focus to the
// field it names (tab_chain.h puts it right before that field).
class LabelPeer : public CaptionedPeer<TLabel> {
  public:
    explicit LabelPeer(TLabel& label)
        : CaptionedPeer(label, {.className = "STATIC", .style = SS_LEFT | SS_NOTIFY}) {}

  protected:
    void ShowAspect(widgetset::Aspect aspect) override {
        CaptionedPeer::ShowAspect(aspect);
        if (aspect == widgetset::Aspect::Caption) ShowBounds();
    }

    void ShowBounds() override {
        RECT text{0, 0, 0, 0};
        HDC context = GetDC(Handle());
        HGDIOBJ previous =
            SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
        DrawTextA(context, Object().Caption().c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(context, previous);
        ReleaseDC(Handle(), context);
        MoveWindow(Handle(), Scaled(Object().Left()), Scaled(Object().Top()),
                   std::max<int>(Scaled(Object().Width()), text.right),
                   std::max<int>(Scaled(Object().Height()), text.bottom), TRUE);
    }
};

}  // namespace

}  // namespace win32backend

peer_kinds::Peer peer_kinds::MakePeer(TButton& button) {
    return std::make_unique<win32backend::ButtonPeer>(button);
}

peer_kinds::Peer peer_kinds::MakePeer(TPanel& panel) {
    return std::make_unique<win32backend::PanelPeer>(panel);
}

peer_kinds::Peer peer_kinds::MakePeer(TGroupBox& groupBox) {
    return std::make_unique<win32backend::GroupBoxPeer>(groupBox);
}

peer_kinds::Peer peer_kinds::MakePeer(TLabel& label) {
    return std::make_unique<win32backend::LabelPeer>(label);
}
