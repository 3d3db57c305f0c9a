#include "platform/qt/tab_order.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/qt/control_peer.h"

namespace qtbackend {

namespace {

void Collect(const TWinControl& parent, std::vector<QWidget*>& chain) {
    std::vector<TControl*> controls;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        if (parent.Controls(i)->HasPeer()) controls.push_back(parent.Controls(i));
    }
    const auto position = [](const TControl* control) {
        return control->TabOrder() < 0 ? INT_MAX : control->TabOrder();
    };
    std::stable_sort(controls.begin(), controls.end(),
                     [&](const TControl* a, const TControl* b) { return position(a) < position(b); });
    for (TControl* control : controls) {
        QWidget* widget = PeerOf(*control).Widget();
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) chain.push_back(widget);
        if (control->InheritsFrom(TWinControl::Class))
            Collect(static_cast<const TWinControl&>(*control), chain);
    }
}

}  // namespace

void OrderTabChain(TWinControl& root) {
    std::vector<QWidget*> chain;
    Collect(root, chain);
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace qtbackend
