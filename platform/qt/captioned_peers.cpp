#include "platform/qt/label_peer.h"

#include <algorithm>

namespace qtbackend {

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
