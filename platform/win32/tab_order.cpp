#include "platform/win32/tab_order.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "framework/captioned.h"
#include "framework/field_namer.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

namespace {

void OrderChildren(const TWinControl& parent) {
    std::vector<TControl*> windowed;
    std::vector<TControl*> others;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (!control->HasPeer()) continue;
        (control->InheritsFrom(TWinControl::Class) ? windowed : others).push_back(control);
    }
    const auto position = [](const TControl* control) {
        return control->TabOrder() < 0 ? INT_MAX : control->TabOrder();
    };
    std::stable_sort(windowed.begin(), windowed.end(),
                     [&](const TControl* a, const TControl* b) { return position(a) < position(b); });
    std::vector<TControl*> chain;
    for (TControl* control : windowed) {
        // A label stands before the first field it names, so that its access key moves the focus there.
        TControl* namer = IsField(*control) ? FindNamer(*control) : nullptr;
        if (namer != nullptr && namer->InheritsFrom(TLabel::Class) && namer->HasPeer() &&
            std::find(chain.begin(), chain.end(), namer) == chain.end()) {
            chain.push_back(namer);
        }
        chain.push_back(control);
    }
    for (TControl* other : others) {
        if (std::find(chain.begin(), chain.end(), other) == chain.end()) chain.push_back(other);
    }
    HWND previous = HWND_TOP;
    for (TControl* control : chain) {
        HWND window = PeerOf(*control).Handle();
        SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = window;
    }
    for (TControl* control : windowed) OrderChildren(static_cast<const TWinControl&>(*control));
}

}  // namespace

void OrderTabChain(TWinControl& root) { OrderChildren(root); }

}  // namespace win32backend
