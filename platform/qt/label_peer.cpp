#include "platform/qt/label_peer.h"

#include <algorithm>

namespace qtbackend {

LabelPeer::LabelPeer(TLabel& label) : CaptionedPeer(label) {
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void LabelPeer::ShowAspect(widgetset::Aspect aspect) {
    CaptionedPeer::ShowAspect(aspect);
    if (aspect == widgetset::Aspect::Caption) ShowBounds();
}

// The layout's size was measured with another font; a clipped label would lose its end and its access
// key's underline.
void LabelPeer::ShowBounds() {
    const QSize text = view_->sizeHint();
    view_->setGeometry(object_.Left(), object_.Top(), std::max(object_.Width(), text.width()),
                       std::max(object_.Height(), text.height()));
}

}  // namespace qtbackend
