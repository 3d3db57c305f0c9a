// TLabel: a STATIC text, at least as large as its text needs (the layout was measured with another font,
// and a clipped label would lose its end and its access key). Its access key moves the focus to the
// field that follows it in the tab chain (tab_order.h puts it there).
#pragma once

#include "framework/captioned.h"
#include "platform/win32/captioned_peer.h"

namespace win32backend {

class LabelPeer : public CaptionedPeer<TLabel> {
  public:
    explicit LabelPeer(TLabel& label);

  protected:
    void ShowAspect(widgetset::Aspect aspect) override;
    void ShowBounds() override;
};

}  // namespace win32backend
