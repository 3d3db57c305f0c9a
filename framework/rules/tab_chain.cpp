#include "framework/rules/tab_chain.h"

#include <algorithm>
#include <climits>

#include "framework/captioned.h"
#include "framework/rules/field_name.h"

namespace {

bool Holds(const std::vector<TControl*>& controls, const TControl* control) {
    return std::find(controls.begin(), controls.end(), control) != controls.end();
}

}  // namespace

std::vector<TControl*> ChildrenInTabOrder(const TWinControl& parent) {
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
        TControl* namer = IsField(*control) ? FindNamer(*control) : nullptr;
        if (namer != nullptr && namer->InheritsFrom(TLabel::Class) && namer->HasPeer() &&
            !Holds(chain, namer)) {
            chain.push_back(namer);
        }
        chain.push_back(control);
    }
    for (TControl* other : others) {
        if (!Holds(chain, other)) chain.push_back(other);
    }
    return chain;
}

std::vector<TControl*> TabChain(const TWinControl& root) {
    std::vector<TControl*> chain;
    for (TControl* control : ChildrenInTabOrder(root)) {
        chain.push_back(control);
        if (control->InheritsFrom(TWinControl::Class)) {
            const std::vector<TControl*> inside = TabChain(static_cast<const TWinControl&>(*control));
            chain.insert(chain.end(), inside.begin(), inside.end());
        }
    }
    return chain;
}
