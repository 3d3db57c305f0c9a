#include "platform/qt/captioned_peers.h"

#include <algorithm>

namespace qtbackend {

ButtonPeer::ButtonPeer(TButton& button) : CaptionedPeer(button) {
    // Outside dialogs Qt presses buttons with Space only; an auto-default button takes Enter too.
    View()->setAutoDefault(true);
    // clicked comes from the user only: nothing here clicks the button from code.
    QObject::connect(View(), &QPushButton::clicked, [&button] { button.UserClick(); });
}

PanelPeer::PanelPeer(TPanel& panel) : CaptionedPeer(panel) {
    View()->setFrameStyle(QFrame::Panel | QFrame::Raised);
    View()->setAlignment(Qt::AlignCenter);
}

void GroupBoxPeer::ShowCaption(const std::string& caption) { View()->setTitle(ToQString(caption)); }

LabelPeer::LabelPeer(TLabel& label) : CaptionedPeer(label) {
    View()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void LabelPeer::ShowAspect(widgetset::Aspect aspect) {
    CaptionedPeer::ShowAspect(aspect);
    if (aspect == widgetset::Aspect::Caption) ShowBounds();
}

// The layout's size was measured with another font; a clipped label would lose its end and its access
// key's underline.
void LabelPeer::ShowBounds() {
    const QSize text = View()->sizeHint();
    View()->setGeometry(Object().Left(), Object().Top(), std::max(Object().Width(), text.width()),
                        std::max(Object().Height(), text.height()));
}

}  // namespace qtbackend
