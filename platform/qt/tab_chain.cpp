#include "platform/qt/tab_chain.h"

#include <vector>

#include "framework/rules/tab_chain.h"
#include "platform/qt/control_peer.h"

namespace qtbackend {

void OrderTabChain(TWinControl& root) {
    std::vector<QWidget*> chain;
    for (TControl* control : TabChain(root)) {
        QWidget* widget = PeerOf(*control).Widget();
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) chain.push_back(widget);
    }
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace qtbackend
