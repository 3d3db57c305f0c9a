#include "platform/win32/tab_order.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "framework/captioned.h"
#include "platform/win32/control_peer.h"

namespace win32backend {

namespace {

bool HasAccessKey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return true;
        ++i;
    }
    return false;
}

bool SameRow(const TControl& a, const TControl& b) {
    return a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
}

// The windowed control that a label's access key leads to: the nearest to its right on its row.
const TControl* FieldOf(const TLabel& label, const std::vector<TControl*>& windowed) {
    if (!HasAccessKey(label.Caption())) return nullptr;
    const TControl* nearest = nullptr;
    for (const TControl* control : windowed) {
        if (control->Left() <= label.Left() || !SameRow(*control, label)) continue;
        if (nearest == nullptr || control->Left() < nearest->Left()) nearest = control;
    }
    return nearest;
}

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
        for (TControl* other : others) {
            if (other->InheritsFrom(TLabel::Class) &&
                FieldOf(static_cast<TLabel&>(*other), windowed) == control) {
                chain.push_back(other);
            }
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
