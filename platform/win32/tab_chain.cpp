#include "platform/win32/tab_chain.h"

#include "framework/rules/tab_chain.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

void OrderTabChain(TWinControl& root) {
    HWND previous = HWND_TOP;
    for (TControl* control : ChildrenInTabOrder(root)) {
        HWND window = PeerOf(*control).Handle();
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = window;
        if (control->InheritsFrom(TWinControl::Class)) OrderTabChain(static_cast<TWinControl&>(*control));
    }
}

}  // namespace win32backend
