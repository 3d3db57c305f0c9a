// The program's own layout on this system's fonts: every caption fits its control, with the layout's
// positions and sizes as they are.
#include <algorithm>

#include "framework/captioned.h"
#include "framework/rules/access_key.h"
#include "framework/text.h"
#include "platform/win32/screen_scale.h"
#include "tests/platform/win32/win32_test.h"

namespace {

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The caption's width in the control's own font, without the access key's marker.
int CaptionWidth(HWND control) {
    char caption[256] = "";
    const std::string text = WithoutAccessKey(
        std::string(caption, static_cast<std::size_t>(GetWindowTextA(control, caption, sizeof caption))));
    HDC context = GetDC(control);
    HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    return extent.cx;
}

// The control's rectangle in its parent's client coordinates.
RECT BoundsInParent(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

// The nearest left edge of a visible sibling to the right of the control, on its row; or the parent's
// right edge.
int RoomEnd(HWND control) {
    const RECT bounds = BoundsInParent(control);
    RECT parent{};
    GetClientRect(GetParent(control), &parent);
    int end = parent.right;
    for (HWND sibling = GetWindow(control, GW_HWNDFIRST); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == control || !IsWindowVisible(sibling)) continue;
        const RECT other = BoundsInParent(sibling);
        const bool sameRow = other.top < bounds.bottom && bounds.top < other.bottom;
        if (sameRow && other.left > bounds.left) end = std::min<int>(end, other.left);
    }
    return end;
}

using Win32LayoutFitTest = Win32Test;

TEST_F(Win32LayoutFitTest, EveryCaptionFitsItsControl) {
    ShowForm(ProgramLayoutForTest());
    // A check box's caption starts after its box and the gap to it.
    const int checkBoxRoom = win32backend::Scaled(13 + 4);
    int measured = 0;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form->Components(i));
        if (control == nullptr || !control->HasPeer()) continue;
        HWND window = WindowOf(*control);
        const std::string name = control->Name();
        const std::string windowClass = ClassOf(window);
        const RECT bounds = BoundsInParent(window);
        const int width = bounds.right - bounds.left;
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        if (SameText(windowClass, "Button") && (style & BS_TYPEMASK) == BS_CHECKBOX) {
            EXPECT_LE(checkBoxRoom + CaptionWidth(window), width) << name;
        } else if (SameText(windowClass, "Button") && (style & BS_TYPEMASK) == BS_PUSHBUTTON) {
            EXPECT_LE(CaptionWidth(window), width - 2 * GetSystemMetrics(SM_CXEDGE)) << name;
        } else if (dynamic_cast<TLabel*>(control) != nullptr) {
            // A label grows to its text; the text must not reach into the control after it.
            EXPECT_LE(bounds.left + CaptionWidth(window), RoomEnd(window)) << name;
        } else {
            continue;
        }
        ++measured;
    }
    EXPECT_EQ(measured, 15);  // seven check boxes, five buttons and three labels
}

}  // namespace
