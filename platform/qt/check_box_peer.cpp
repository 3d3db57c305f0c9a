#include "platform/qt/check_box_peer.h"

namespace qtbackend {

CheckBoxPeer::CheckBoxPeer(TCheckBox& checkBox) : CaptionedPeer(checkBox) {
    // clicked, unlike toggled, is never emitted by setChecked: a state set from code is not echoed.
    QObject::connect(View(), &QCheckBox::clicked, [this] { UserClicked(); });
}

void CheckBoxPeer::UserClicked() {
    QPointer<QCheckBox> box = View();
    TCheckBox& checkBox = Object();
    checkBox.UserClick();
    // The box toggled itself; a refused click (a disabled control) must not leave it so. The handler may
    // have freed the control, and this peer with it.
    if (box != nullptr) box->setChecked(checkBox.Checked());
}

void CheckBoxPeer::ShowAspect(widgetset::Aspect aspect) {
    if (aspect == widgetset::Aspect::Checked) View()->setChecked(Object().Checked());
    CaptionedPeer::ShowAspect(aspect);
}

}  // namespace qtbackend
