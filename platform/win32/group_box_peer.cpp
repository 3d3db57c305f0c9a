#include "platform/win32/group_box_peer.h"

namespace win32backend {

// WS_EX_CONTROLPARENT: the dialog manager's tab chain and access keys go into the box's children.
// WS_CLIPCHILDREN: the box fills its own background (below) without painting over its children.
GroupBoxPeer::GroupBoxPeer(TGroupBox& groupBox)
    : CaptionedPeer(
          groupBox,
          {.className = "BUTTON", .style = BS_GROUPBOX | WS_CLIPCHILDREN, .exStyle = WS_EX_CONTROLPARENT}) {}

// The system's group box draws only its frame and title, and its class has no background brush: as the
// parent of its controls it is clipped out of the panel's painting, so without this its inside shows
// whatever the screen held before (black on a fresh display).
LRESULT GroupBoxPeer::DefaultHandling(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT inside{};
        GetClientRect(window, &inside);
        FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return CaptionedPeer::DefaultHandling(window, message, wParam, lParam);
}

}  // namespace win32backend
