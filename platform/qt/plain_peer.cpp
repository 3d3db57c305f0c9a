#include "platform/qt/plain_peer.h"

namespace qtbackend {

PlainPeer::PlainPeer(TControl& control, bool everShown)
    : ControlPeer(control, new QWidget(ParentWidgetOf(control))), everShown_(everShown) {
    Widget()->setAccessibleName(QString::fromStdString(control.Name()));
}

void PlainPeer::ShowVisible() { Widget()->setVisible(everShown_ && Control().Visible()); }

}  // namespace qtbackend
